// A host program built against the installed package: it includes the umbrella header and
// calls into the library and its stand-ins.
#include <velloro/Velloro.h>

#include <iostream>

int main() {
  try {
    TESSEL_THROW(Tessel::Base::Exceptions::FileMissing, .decorate("FileName", "plate.exr"));
  } catch (const Tessel::Base::Exception& error) {
    if (std::string(error.what()) != "Failed to find file 'plate.exr'") {
      std::cerr << "unexpected message: " << error.what() << '\n';
      return 1;
    }
  }
  std::cout << "velloro consumer: linked and ran against the installed package" << std::endl;
  return 0;
}
