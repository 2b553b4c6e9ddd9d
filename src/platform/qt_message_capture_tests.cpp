#include "platform/qt_message_capture.h"

#include <gtest/gtest.h>

#include <QLoggingCategory>
#include <QString>
#include <future>
#include <mutex>
#include <thread>

namespace platform {
namespace {

Q_LOGGING_CATEGORY(kTestCategory, "dravick.test")

// Stands for whatever handler the program had before: it collects what reaches it.
std::mutex g_lock;
std::vector<std::string> g_reached;
void Collect(QtMsgType, const QMessageLogContext&, const QString& text) {
  const std::lock_guard lock(g_lock);
  g_reached.push_back(text.toStdString());
}

std::vector<std::string> Reached() {
  const std::lock_guard lock(g_lock);
  return g_reached;
}

class QtMessageCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_reached.clear();
    previous_ = qInstallMessageHandler(Collect);
  }
  void TearDown() override { qInstallMessageHandler(previous_); }

 private:
  QtMessageHandler previous_ = nullptr;
};

TEST_F(QtMessageCaptureTest, CatchesThisThreadsMessagesWhileItLasts) {
  {
    const QtMessageCapture capture;
    qWarning("QBuffer::seek: Invalid pos: %d", 70);
    qCWarning(kTestCategory, "second");
    EXPECT_EQ(capture.Text(), "QBuffer::seek: Invalid pos: 70; dravick.test: second");
  }
  qWarning("after");
  EXPECT_EQ(Reached(), std::vector<std::string>{"after"});
}

TEST_F(QtMessageCaptureTest, NestedCapturesEachKeepTheirOwn) {
  const QtMessageCapture outer;
  qWarning("outer one");
  {
    const QtMessageCapture inner;
    qWarning("inner");
    EXPECT_EQ(inner.Text(), "inner");
  }
  qWarning("outer two");
  EXPECT_EQ(outer.Text(), "outer one; outer two");
  EXPECT_TRUE(Reached().empty());
}

TEST_F(QtMessageCaptureTest, OtherThreadsMessagesPassOn) {
  std::promise<void> captured;
  std::promise<void> spoken;
  std::thread decoder([&] {
    const QtMessageCapture capture;
    qWarning("decoder");
    captured.set_value();
    spoken.get_future().wait();
    EXPECT_EQ(capture.Text(), "decoder");
  });
  captured.get_future().wait();
  qWarning("window");
  spoken.set_value();
  decoder.join();
  EXPECT_EQ(Reached(), std::vector<std::string>{"window"});
}

}  // namespace
}  // namespace platform
