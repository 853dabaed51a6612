// The exit-cleanup list: objects that must be destroyed after the image's
// entry returns (plug-in libraries, temporary files). Each object links
// itself at the head when it is created and unlinks itself, wherever it
// stands, when it is destroyed. Objects are created with `new`.
#pragma once

namespace ql {

class ExitCleanup {
 public:
  ExitCleanup();
  virtual ~ExitCleanup();
  ExitCleanup(const ExitCleanup&) = delete;
  ExitCleanup& operator=(const ExitCleanup&) = delete;

 private:
  friend void RunExitCleanup();
  ExitCleanup* next_;
};

// Deletes the object at the head until the list is empty: newest first.
void RunExitCleanup();

bool ExitCleanupIsEmpty();

}  // namespace ql
