#include "sync/statement_reader.h"

#include <cstring>

namespace {

// Cuts `line` at its first carriage return, line feed or NUL.
void CutAtLineEnd(std::string& line) {
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '\r' || line[i] == '\n' || line[i] == '\0') {
      line.resize(i);
      return;
    }
  }
}

// Turns tabs into spaces and removes the spaces next to each `=`, in one pass.
void CleanLine(std::string& line) {
  size_t out = 0;
  size_t floor = 0;  // spaces before an `=` are removed back to here (just after the last `=`)
  size_t in = 0;
  const size_t size = line.size();
  auto isSpace = [&](size_t i) { return line[i] == ' ' || line[i] == '\t'; };
  while (in < size) {
    if (line[in] != '=') {
      line[out++] = line[in] == '\t' ? ' ' : line[in];
      ++in;
      continue;
    }
    while (out > floor && line[out - 1] == ' ') --out;
    line[out++] = '=';
    floor = out;
    for (++in; in < size && isSpace(in);) ++in;
  }
  line.resize(out);
}

// Reduces every run of spaces to one, then drops one leading blank.
void NormaliseStatement(std::string& statement) {
  size_t out = 0;
  for (size_t in = 0; in < statement.size(); ++in) {
    if (statement[in] == ' ' && out > 0 && statement[out - 1] == ' ') continue;
    statement[out++] = statement[in];
  }
  statement.resize(out);
  if (!statement.empty() && IsBlank(statement[0])) statement.erase(0, 1);
}

size_t FirstNonBlank(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  return i;
}

}  // namespace

int IsBlank(char c) { return c == ' ' || (c >= 9 && c <= 13); }

const char* CStatementReader::ReadStatement(platform::CFile* file) {
  if (!file) {
    Reset();
    return nullptr;
  }
  if (file != m_file) {
    m_file = file;
    m_inputPosition = m_inputEnd = 0;
    m_atEnd = false;
  }
  if (m_hasPending && !m_pending.empty()) {
    m_statement.swap(m_pending);
  } else if (ReadPhysicalLine()) {
    m_statement.swap(m_line);
  } else {
    m_hasPending = false;
    return nullptr;
  }
  m_hasPending = false;
  m_statementScanned = 0;
  while (ReadPhysicalLine()) {
    size_t first = FirstNonBlank(m_line);
    if (first == m_line.size() || m_line[first] != '+') {
      m_pending.swap(m_line);
      m_hasPending = true;
      break;
    }
    JoinContinuation(first + 1);
  }
  NormaliseStatement(m_statement);
  return m_statement.c_str();
}

void CStatementReader::Reset() {
  m_file = nullptr;
  m_inputPosition = m_inputEnd = 0;
  m_atEnd = false;
  m_hasPending = false;
  std::vector<char>().swap(m_input);
  std::string().swap(m_line);
  std::string().swap(m_pending);
  std::string().swap(m_statement);
}

bool CStatementReader::ReadPhysicalLine() {
  m_line.clear();
  bool readSomething = false;
  while (!m_atEnd) {
    if (m_inputPosition == m_inputEnd) {
      if (m_input.empty()) m_input.resize(kInputBlockSize);
      m_inputEnd = m_file->Read(m_input.data(), m_input.size());
      m_inputPosition = 0;
      if (m_inputEnd == 0) {
        m_atEnd = true;
        break;
      }
    }
    readSomething = true;
    if (TakeInputUpToLineFeed()) break;
  }
  if (!readSomething) return false;
  CutAtLineEnd(m_line);
  CleanLine(m_line);
  return true;
}

bool CStatementReader::TakeInputUpToLineFeed() {
  const char* start = m_input.data() + m_inputPosition;
  const size_t available = m_inputEnd - m_inputPosition;
  const void* lineFeed = std::memchr(start, '\n', available);
  const size_t count =
      lineFeed ? static_cast<size_t>(static_cast<const char*>(lineFeed) - start) + 1 : available;
  m_line.append(start, count);
  m_inputPosition += count;
  return lineFeed != nullptr;
}

void CStatementReader::JoinContinuation(size_t rest) {
  size_t semicolon = m_statement.find(';', m_statementScanned);
  if (semicolon != std::string::npos) m_statement.resize(semicolon);
  m_statementScanned = m_statement.size();
  if (rest == m_line.size() || !IsBlank(m_line[rest])) m_statement += ' ';
  m_statement.append(m_line, rest, std::string::npos);
}

std::string NextToken(const char** cursor) {
  const char* p = *cursor;
  while (*p != '\0' && IsBlank(*p)) ++p;
  const char* start = p;
  while (*p != '\0' && !IsBlank(*p)) ++p;
  *cursor = p;
  return std::string(start, p);
}

std::string ModelName(const char* statement) {
  NextToken(&statement);
  return NextToken(&statement);
}
