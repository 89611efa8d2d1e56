#include <velloro/widgets/OpenGLStereo.h>

#include <QOpenGLContext>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

// Under Xvfb with Mesa there is OpenGL but no quad-buffered stereo.
TEST(OpenGLStereo, AnswersFalseWithoutStereoBuffersAndKeepsTheAnswer) {
  QOpenGLContext plain;
  ASSERT_TRUE(plain.create()) << "this test needs an OpenGL display (run under Xvfb)";
  EXPECT_FALSE(Velloro::IsOpenGLStereoAvailable());
  std::vector<std::thread> readers;
  std::vector<int> answers(4, -1);
  for (size_t index = 0; index < answers.size(); ++index) {
    readers.emplace_back([&answers, index] { answers[index] = Velloro::IsOpenGLStereoAvailable() ? 1 : 0; });
  }
  for (std::thread& reader : readers) {
    reader.join();
  }
  EXPECT_EQ(answers, std::vector<int>(4, 0));
}
