#pragma once
// Qt's own diagnostics ("qt.gui.imageio: ...", "QBuffer::seek: Invalid pos") caught on the
// calling thread while a decode runs, so they can join its failure reason instead of
// reaching the terminal. Messages of other threads pass on as before, and Qt's handler
// is back as it was once no thread captures.

#include <string>
#include <vector>

namespace platform {

class QtMessageCapture {
 public:
  QtMessageCapture();
  ~QtMessageCapture();
  QtMessageCapture(const QtMessageCapture&) = delete;
  QtMessageCapture& operator=(const QtMessageCapture&) = delete;

  // The messages caught so far, joined by "; "; empty when there were none.
  [[nodiscard]] std::string Text() const;

 private:
  std::vector<std::string> messages_;
  std::vector<std::string>* outer_;  // a capture further up this thread's stack
};

}  // namespace platform
