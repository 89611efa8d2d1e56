#include <velloro/widgets/OpenGLStereo.h>

#include <QOpenGLContext>
#include <QSurfaceFormat>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

// The answer is what the platform grants to a context that asks for stereo buffers (under Xvfb
// with Mesa: none), and every thread reads the same one.
TEST(OpenGLStereo, AnswersWhatThePlatformGrantsOnEveryThread) {
  QSurfaceFormat format = QSurfaceFormat::defaultFormat();
  format.setStereo(true);
  QOpenGLContext stereo;
  stereo.setFormat(format);
  ASSERT_TRUE(stereo.create()) << "this test needs an OpenGL display (run under Xvfb)";
  const bool granted = stereo.format().stereo();
  EXPECT_EQ(Velloro::IsOpenGLStereoAvailable(), granted);

  std::vector<std::thread> readers;
  std::vector<int> answers(4, -1);
  for (size_t index = 0; index < answers.size(); ++index) {
    readers.emplace_back([&answers, index] { answers[index] = Velloro::IsOpenGLStereoAvailable() ? 1 : 0; });
  }
  for (std::thread& reader : readers) {
    reader.join();
  }
  EXPECT_EQ(answers, std::vector<int>(4, granted ? 1 : 0));
}
