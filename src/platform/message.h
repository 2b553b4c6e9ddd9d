#pragma once
// Outcome of a core operation: the value, or the exact text the window would show.

#include <string>
#include <utility>
#include <variant>

namespace platform {

enum class MessageKind {
  Error,    // the operation stopped; windows show a message box, the CLI exits 1
  Warning,  // shown, but the operation goes on (exit status stays 0)
  Done,     // closing success text such as "Convert ok"
};

struct Message {
  MessageKind kind = MessageKind::Error;
  std::string text;  // UTF-8, byte for byte the text the window shows
  // Why, when the window's text does not say: "x.png: PNG: CRC error". The command line
  // prints it on a line of its own after the text. Not part of a message's identity.
  std::string reason;

  friend bool operator==(const Message& a, const Message& b) {
    return a.kind == b.kind && a.text == b.text;
  }
};

inline Message Error(std::string text) {
  return {MessageKind::Error, std::move(text), {}};
}
inline Message Warning(std::string text) {
  return {MessageKind::Warning, std::move(text), {}};
}
inline Message Done(std::string text) {
  return {MessageKind::Done, std::move(text), {}};
}

// The message with `subject + ": " + why` as its reason.
inline Message Because(Message message, const std::string& subject, const std::string& why) {
  message.reason = subject + ": " + why;
  return message;
}

// A value or an error message. Small on purpose: std::expected is C++23.
template <class T>
class Result {
 public:
  Result(T value) : state_(std::move(value)) {}        // NOLINT: implicit by design
  Result(Message error) : state_(std::move(error)) {}  // NOLINT

  [[nodiscard]] bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& value() { return std::get<0>(state_); }
  const T& value() const { return std::get<0>(state_); }
  T& operator*() { return value(); }
  const T& operator*() const { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }
  const Message& error() const { return std::get<1>(state_); }

 private:
  std::variant<T, Message> state_;
};

// Success carrying no value.
struct Ok {};

}  // namespace platform
