// The text layer under the model-library merge: a SPICE model library read as a sequence of
// normalised statements and tokens of a statement.
//
// How a library is read:
// - A line ends at a line feed; its content ends at its first carriage return, line feed or
//   NUL byte, so CR LF and LF files read alike. Lines have no length limit; a last line without a
//   line feed counts like any other. Tabs become spaces, and the spaces around each `=` go
//   ("IS = 1E-14" reads "IS=1E-14"; spaces before an `=` go back to, not past, the previous `=`).
// - A line whose first non-blank character is `+` continues the statement before it. Before the
//   join the statement is cut at its first `;` (a trailing comment); one space separates the
//   parts unless the continuation text starts with a blank. A `;` on the last line of a
//   statement stays. An empty line ends a statement; a `+` line after it keeps its `+`.
// - Every other line starts a statement (an empty line read ahead is skipped, but two in a row
//   give an empty statement). `*` has no meaning here: a comment line is a statement of its own.
// - A returned statement has runs of spaces reduced to one and no leading blank.
// Blanks are the space and the control codes 9 to 13. Nothing here reports an error: any byte
// sequence is a library.
#ifndef CIRVANE_SYNC_STATEMENT_READER_H_
#define CIRVANE_SYNC_STATEMENT_READER_H_

#include <cstddef>
#include <string>
#include <vector>

#include "platform/files.h"

// 1 for a space or a control code 9 to 13 (tab, line feed, vertical tab, form feed, return).
int IsBlank(char c);

class CStatementReader {
 public:
  // The next statement of `file`, or null at its end. The text stays valid until the next call.
  // With a null file the reader is reset: the line read ahead and the buffered input are
  // dropped and the buffers released; without a reset, the line read ahead after the last
  // statement of one file would start the first statement of the next.
  const char* ReadStatement(platform::CFile* file);

 private:
  // Size of the blocks read from the file.
  static constexpr size_t kInputBlockSize = 64 * 1024;

  void Reset();
  // Reads the next physical line into m_line, cleaned; false when the file had nothing left.
  bool ReadPhysicalLine();
  // Appends the bytes up to and including the next line feed to m_line; true when it found one.
  bool TakeInputUpToLineFeed();
  // Joins the continuation text of m_line that starts at `rest` to the statement.
  void JoinContinuation(size_t rest);

  platform::CFile* m_file = nullptr;
  std::vector<char> m_input;
  size_t m_inputPosition = 0;
  size_t m_inputEnd = 0;
  bool m_atEnd = false;
  std::string m_line;
  std::string m_pending;  // the line read ahead that starts the next statement
  bool m_hasPending = false;
  std::string m_statement;
  size_t m_statementScanned = 0;  // the statement holds no `;` before this position
};

// Skips the blanks at `*cursor`, returns the run of non-blank characters after them (empty at
// the end of the text) and leaves `*cursor` on the first character after the token.
std::string NextToken(const char** cursor);

// The model name of a `.model` statement: its second token; empty when it has fewer.
std::string ModelName(const char* statement);

#endif  // CIRVANE_SYNC_STATEMENT_READER_H_
