#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>

#include <sys/stat.h>

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  // Widget tests draw offscreen unless a test entry asks for a real display (OpenGL tests).
  if (!std::getenv("QT_QPA_PLATFORM")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  // Qt wants a private runtime directory; CI runs as root without a login session.
  if (!std::getenv("XDG_RUNTIME_DIR")) {
    const std::string runtime =
        QDir::tempPath().toStdString() + "/velloro-test-runtime-" + std::to_string(getuid());
    mkdir(runtime.c_str(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  }
  ::testing::InitGoogleTest(&argc, argv);
  // Death tests fork; "threadsafe" re-executes the program so the child has a clean state.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
