#include "platform/qt_message_capture.h"

#include <cstdio>
#include <mutex>
#include <string_view>

#include <QString>
#include <QtGlobal>

namespace platform {

namespace {

thread_local std::vector<std::string>* t_capture = nullptr;

// The handler stays installed while any thread captures; the count says how many do.
std::mutex g_lock;
int g_capturing = 0;
QtMessageHandler g_previous = nullptr;

void Forward(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  QtMessageHandler previous = nullptr;
  {
    const std::lock_guard lock(g_lock);
    previous = g_previous;
  }
  if (previous) {
    previous(type, context, text);
    return;
  }
  // Qt's default handler is not callable from outside; this prints what it prints.
  std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
}

void Capture(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (t_capture == nullptr) {
    Forward(type, context, text);
    return;
  }
  QString line = text;
  if (context.category && std::string_view(context.category) != "default")
    line = QString::fromUtf8(context.category) + ": " + text;
  t_capture->push_back(line.toStdString());
}

}  // namespace

QtMessageCapture::QtMessageCapture() : outer_(t_capture) {
  t_capture = &messages_;
  const std::lock_guard lock(g_lock);
  if (g_capturing++ == 0)
    g_previous = qInstallMessageHandler(Capture);
}

QtMessageCapture::~QtMessageCapture() {
  t_capture = outer_;
  const std::lock_guard lock(g_lock);
  if (--g_capturing == 0)
    qInstallMessageHandler(g_previous);
}

std::string QtMessageCapture::Text() const {
  std::string text;
  for (const std::string& message : messages_)
    text += (text.empty() ? "" : "; ") + message;
  return text;
}

}  // namespace platform
