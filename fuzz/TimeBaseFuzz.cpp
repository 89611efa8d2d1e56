// Feeds arbitrary floats to the rate built from a decimal figure and checks that its label
// reads back as the same rate: a label parsed as a figure gives a rate equal to the original
// (within the rate tolerance), or the label is "Invalid". An input is four bytes, the float's
// own bits, so that NaNs, infinities, subnormals and huge figures all come up.
#include <TesselBase/TimeBase.h>

#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size != sizeof(float)) {
    return -1;
  }
  float figure = 0;
  std::memcpy(&figure, data, sizeof(float));
  const Tessel::Base::TimeBase rate(figure);
  const std::string label = rate.label();
  if (label == "Invalid") {
    return 0;
  }
  bool parsed = false;
  const float readBack = QString::fromStdString(label).toFloat(&parsed);
  const Tessel::Base::TimeBase again(readBack);
  if (!parsed || again != rate) {
    std::fprintf(stderr, "figure %.9g gives %lld/%lld labelled \"%s\", which reads back as %lld/%lld\n",
                 static_cast<double>(figure), static_cast<long long>(rate.numerator()),
                 static_cast<long long>(rate.denominator()), label.c_str(),
                 static_cast<long long>(again.numerator()), static_cast<long long>(again.denominator()));
    std::abort();
  }
  return 0;
}
