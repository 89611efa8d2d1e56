// A host program built against the installed package: it includes the umbrella header and
// calls into the library and its stand-ins.
#include <velloro/Velloro.h>

#include <QCoreApplication>
#include <QFileInfo>

#include <iostream>

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  try {
    TESSEL_THROW(Tessel::Base::Exceptions::FileMissing, .decorate("FileName", "plate.exr"));
  } catch (const Tessel::Base::Exception& error) {
    if (std::string(error.what()) != "Failed to find file 'plate.exr'") {
      std::cerr << "unexpected message: " << error.what() << '\n';
      return 1;
    }
  }
  // The icons travel inside the widget library and are found under the "icons:" prefix.
  if (!QFileInfo(QStringLiteral("icons:FrameRangeLock.png")).isFile()) {
    std::cerr << "the icons are not found under icons:\n";
    return 1;
  }
  std::cout << "velloro consumer: linked and ran against the installed package" << std::endl;
  return 0;
}
