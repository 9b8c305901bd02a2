#include "output_capture.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <stdexcept>

namespace msisim {

namespace {
void FlushAllStreams() {
  std::cout.flush();
  std::cerr.flush();
  std::wcout.flush();
  std::wcerr.flush();
  std::fflush(nullptr);
}
}  // namespace

OutputCapture::OutputCapture() {
  std::FILE* file = std::tmpfile();
  if (file == nullptr) throw std::runtime_error("cannot make a file to catch the actions' output");
  file_ = dup(fileno(file));
  std::fclose(file);
  savedOut_ = dup(STDOUT_FILENO);
  savedErr_ = dup(STDERR_FILENO);
  if (file_ < 0 || savedOut_ < 0 || savedErr_ < 0) throw std::runtime_error("cannot redirect the actions' output");
}

OutputCapture::~OutputCapture() {
  close(file_);
  close(savedOut_);
  close(savedErr_);
}

void OutputCapture::Start() {
  FlushAllStreams();
  offset_ = lseek(file_, 0, SEEK_END);
  dup2(file_, STDOUT_FILENO);
  dup2(file_, STDERR_FILENO);
}

std::string OutputCapture::Stop() {
  FlushAllStreams();
  dup2(savedOut_, STDOUT_FILENO);
  dup2(savedErr_, STDERR_FILENO);
  std::string text;
  char buffer[4096];
  for (long long at = offset_;;) {
    ssize_t got = pread(file_, buffer, sizeof buffer, at);
    if (got <= 0) break;
    text.append(buffer, static_cast<std::size_t>(got));
    at += got;
  }
  return text;
}

}  // namespace msisim
