// Messages to the user and the process exits that follow fatal ones.
#ifndef CIRVANE_ENGINE_MESSAGE_H_
#define CIRVANE_ENGINE_MESSAGE_H_

// Exit status after a failure that leaves the installation unusable.
constexpr int kFailureExitStatus = 1;
// Exit status after memory ran out.
constexpr int kOutOfMemoryExitStatus = -1;

// Formats the arguments (printf rules) and shows the text in an application message box with an
// OK button; returns the box's result.
int ShowMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Shows the formatted text, then ends the process with kFailureExitStatus. Callers return right
// after it: a test's system service records the exit instead of ending the process.
void FailAndExit(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif  // CIRVANE_ENGINE_MESSAGE_H_
