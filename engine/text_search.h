// Searches in the system's 8-bit texts, shared by the model-library reader, the component
// records and the file-type clean-up.
#ifndef CIRVANE_ENGINE_TEXT_SEARCH_H_
#define CIRVANE_ENGINE_TEXT_SEARCH_H_

// The first position in `text` where `pattern` occurs, ignoring the case of ASCII letters;
// null when either is null or empty or there is no occurrence.
const char* FindNoCase(const char* text, const char* pattern);

#endif  // CIRVANE_ENGINE_TEXT_SEARCH_H_
