// What the actions print: their standard output and standard error, caught at the file
// descriptors so that C stdio, C++ streams and direct writes alike end up here, in order.
#pragma once

#include <string>

namespace msisim {

class OutputCapture {
 public:
  // Throws std::runtime_error when the descriptors cannot be redirected.
  OutputCapture();
  ~OutputCapture();
  OutputCapture(const OutputCapture&) = delete;
  OutputCapture& operator=(const OutputCapture&) = delete;

  // Descriptors 1 and 2 go to the capture until Stop, which returns what arrived meanwhile.
  void Start();
  std::string Stop();

 private:
  int file_ = -1;
  int savedOut_ = -1;
  int savedErr_ = -1;
  long long offset_ = 0;
};

}  // namespace msisim
