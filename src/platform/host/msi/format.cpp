// One left-to-right pass over the text with a stack of open brackets and braces. Every opening
// character is written to the output at once and each frame remembers where its content starts,
// so a frame that is never closed is already in place as written, and a closed one is replaced by
// its expansion. Nothing recurses except the formatting of a field's value, one level deep.
#include "msi/format.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "msi/format_reference.h"

namespace standin {

namespace {

struct Frame {
  enum class Kind { Text, Bracket, Group };
  Kind kind = Kind::Text;
  std::size_t start = 0;  // first character of the content, just after the opening character
  bool derived = false;   // the content holds an expansion
  // Groups only.
  long depth = 0;               // braces open in the text up to and including this one's
  bool hasReference = false;    // a property or field reference expanded inside
  bool emptyReference = false;  // one of those references gave nothing
  bool hasGroups = false;       // holds groups of its own
};

// The installer leaves a text with more opening than closing brackets as it is; an opening bracket
// right after a backslash does not count.
bool HasUnclosedBrackets(std::wstring_view text) {
  long balance = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'[' && (i == 0 || text[i - 1] != L'\\')) ++balance;
    if (text[i] == L']') --balance;
  }
  return balance > 0;
}

class FormatRun {
 public:
  FormatRun(const Record& record, const Session& session, bool followFields)
      : record_(record), session_(session), followFields_(followFields) {}

  std::wstring Run(std::wstring_view text) {
    if (HasUnclosedBrackets(text)) return std::wstring(text);
    frames_.assign(1, Frame{});
    for (std::size_t i = 0; i < text.size(); ++i) {
      switch (text[i]) {
        case L'[':
          i = OpenBracket(text, i);
          break;
        case L'{':
          ++braceDepth_;
          Open(L'{', Frame::Kind::Group);
          break;
        case L']':
          CloseBracket();
          break;
        case L'}':
          --braceDepth_;
          CloseGroup();
          break;
        case L'\\':
          i = Backslash(text, i);
          break;
        default:
          out_ += text[i];
      }
    }
    while (frames_.size() > 1) Abandon();
    return std::move(out_);
  }

 private:
  void Open(wchar_t opener, Frame::Kind kind) {
    out_ += opener;
    Frame frame;
    frame.kind = kind;
    frame.start = out_.size();
    frame.depth = braceDepth_;
    frames_.push_back(frame);
    ++open_[static_cast<int>(kind)];
  }

  // [\c...] is the character c; the rest up to the first closing bracket is dropped, brackets and
  // braces included. Returns the position of the last character used.
  std::size_t OpenBracket(std::wstring_view text, std::size_t open) {
    std::size_t close = NextClose(text, open + 3);
    bool escape = open + 2 < text.size() && text[open + 1] == L'\\' && text[open + 2] != L']';
    if (!escape || close == std::wstring_view::npos) {
      Open(L'[', Frame::Kind::Bracket);
      return open;
    }
    out_ += text[open + 2];
    frames_.back().derived = true;
    return close;
  }

  // The first closing bracket at or after from; the searches move forward only, so all of them
  // together take one pass over the text.
  std::size_t NextClose(std::wstring_view text, std::size_t from) {
    if (from < searchedFrom_ || (nextClose_ != std::wstring_view::npos && nextClose_ < from)) {
      nextClose_ = text.find(L']', from);
      searchedFrom_ = from;
    }
    return nextClose_;
  }

  // Inside brackets, a backslash right after a closing bracket or a brace starts plain text that
  // runs up to the next closing bracket. Returns the position of the last character used.
  std::size_t Backslash(std::wstring_view text, std::size_t at) {
    bool afterStructure = at > 0 && std::wstring_view(L"]{}").find(text[at - 1]) != std::wstring_view::npos;
    if (open_[static_cast<int>(Frame::Kind::Bracket)] == 0 || !afterStructure) {
      out_ += L'\\';
      return at;
    }
    std::size_t close = NextClose(text, at + 1);
    std::size_t end = close == std::wstring_view::npos ? text.size() : close;
    out_.append(text.substr(at, end - at));
    return end - 1;
  }

  // An unclosed frame stays as written; what it held counts for the frame around it.
  void Abandon() {
    Frame frame = frames_.back();
    --open_[static_cast<int>(frame.kind)];
    frames_.pop_back();
    Frame& parent = frames_.back();
    parent.derived |= frame.derived;
    parent.hasReference |= frame.hasReference;
    parent.emptyReference |= frame.emptyReference;
  }

  // Closes the innermost frame of the kind; frames of the other kind opened after it stay as
  // written. False when no such frame is open.
  bool PopInnermost(Frame::Kind kind, Frame& frame) {
    if (open_[static_cast<int>(kind)] == 0) return false;
    while (frames_.back().kind != kind) Abandon();
    frame = frames_.back();
    --open_[static_cast<int>(kind)];
    frames_.pop_back();
    return true;
  }

  void CloseBracket() {
    Frame frame;
    if (!PopInnermost(Frame::Kind::Bracket, frame)) {
      out_ += L']';
      return;
    }
    std::wstring name = out_.substr(frame.start);
    out_.resize(frame.start - 1);
    Expansion expansion = ExpandReference(name, ReferenceContext{record_, session_, !frame.derived, followFields_});
    if (expansion.role == Expansion::Role::Field && !expansion.value.empty()) {
      // A field's value is formatted in turn; it is taken as a string, up to a NUL from [~].
      expansion.value = FormatRun(record_, session_, false).Run(expansion.value);
      expansion.value.erase(std::find(expansion.value.begin(), expansion.value.end(), L'\0'), expansion.value.end());
    }
    out_ += expansion.value;

    Frame& parent = frames_.back();
    parent.derived = true;
    if (expansion.role != Expansion::Role::Text) {
      parent.hasReference = true;
      if (expansion.value.empty()) parent.emptyReference = true;
    }
  }

  void CloseGroup() {
    Frame frame;
    if (!PopInnermost(Frame::Kind::Group, frame)) {
      out_ += L'}';
      return;
    }
    Frame& parent = frames_.back();
    bool inGroup = parent.kind == Frame::Kind::Group;
    parent.derived |= frame.derived;
    std::size_t opener = frame.start - 1;

    // Once a group holds a group of its own, every further group inside it stays as written.
    if (frame.depth >= 2 && inGroup && parent.hasGroups) {
      out_ += L'}';
      return;
    }
    // An empty group goes, and so does one whose expansion is itself wrapped in braces ({{...}})
    // or that lost a reference without value; that loss takes the enclosing group away too,
    // unless the enclosing group holds another group.
    bool empty = out_.size() == frame.start;
    bool wrapped = !empty && out_[frame.start] == L'{' && out_.back() == L'}';
    if (empty || wrapped || (!frame.hasGroups && frame.emptyReference)) {
      out_.resize(opener);
      if (inGroup && frame.emptyReference) parent.emptyReference = true;
      return;
    }
    if (frame.depth >= 2) {
      // A group inside a group stays as written, with its references expanded.
      out_ += L'}';
      if (inGroup) parent.hasGroups = true;
      return;
    }
    // A group with a reference loses its braces, unless it holds groups or comes after more
    // closing than opening braces in the text.
    bool keepsBraces = frame.hasGroups || !frame.hasReference || frame.depth <= 0;
    if (keepsBraces) {
      out_ += L'}';
    } else {
      out_.erase(opener, 1);
    }
  }

  const Record& record_;
  const Session& session_;
  bool followFields_;
  std::wstring out_;
  std::vector<Frame> frames_;
  long braceDepth_ = 0;        // opening less closing braces so far, escapes aside
  int open_[3] = {};           // open frames of each kind
  std::size_t nextClose_ = 0;  // the first closing bracket at or after searchedFrom_
  std::size_t searchedFrom_ = std::wstring_view::npos;
};

std::wstring FieldListing(unsigned fieldCount) {
  std::wstring listing;
  for (unsigned i = 1; i <= fieldCount; ++i) {
    std::wstring number = std::to_wstring(i);
    listing += number + L": [" + number + L"] ";
  }
  return listing;
}

}  // namespace

std::wstring FormatRecord(const Record& record, const Session& session) {
  const RecordField& text = record.fields[0];
  bool listFields = text.kind == RecordField::Kind::Null || text.text.empty();
  return FormatRun(record, session, true).Run(listFields ? FieldListing(record.FieldCount()) : text.text);
}

}  // namespace standin
