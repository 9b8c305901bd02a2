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
  bool hasReference = false;    // a property, field, file or component reference expanded inside
  bool emptyReference = false;  // one of the references inside gave nothing
  int groups = 0;               // groups nested directly inside
  bool startsWithGroup = false;
  std::size_t lastGroupEnd = 0;  // output length right after the last nested group
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
      wchar_t c = text[i];
      // Inside brackets a backslash takes the next character (except the closing bracket) as text.
      if (frames_.back().kind == Frame::Kind::Bracket && c == L'\\' && i + 1 < text.size() && text[i + 1] != L']') {
        out_ += c;
        out_ += text[++i];
        continue;
      }
      switch (c) {
        case L'[':
          Open(c, Frame::Kind::Bracket);
          break;
        case L'{':
          Open(c, Frame::Kind::Group);
          break;
        case L']':
          CloseBracket();
          break;
        case L'}':
          if (frames_.back().kind == Frame::Kind::Group) {
            CloseGroup();
          } else {
            out_ += c;
          }
          break;
        default:
          out_ += c;
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
    frames_.push_back(frame);
  }

  // An unclosed frame stays as written.
  void Abandon() {
    bool derived = frames_.back().derived;
    frames_.pop_back();
    frames_.back().derived |= derived;
  }

  void CloseBracket() {
    auto bracket = std::find_if(frames_.rbegin(), frames_.rend(),
                                [](const Frame& frame) { return frame.kind == Frame::Kind::Bracket; });
    if (bracket == frames_.rend()) {
      out_ += L']';
      return;
    }
    while (frames_.back().kind != Frame::Kind::Bracket) Abandon();
    Frame frame = frames_.back();
    frames_.pop_back();

    std::wstring name = out_.substr(frame.start);
    out_.resize(frame.start - 1);
    Expansion expansion = ExpandReference(
        name,
        ReferenceContext{
            .record = record_, .session = session_, .nameIsLiteral = !frame.derived, .followFields = followFields_});
    if (expansion.role == Expansion::Role::Field && !expansion.value.empty()) {
      expansion.value = FormatRun(record_, session_, false).Run(expansion.value);
    }
    out_ += expansion.value;

    Frame& parent = frames_.back();
    parent.derived = true;
    if (expansion.role != Expansion::Role::Text) {
      if (expansion.role != Expansion::Role::Environment) parent.hasReference = true;
      if (expansion.value.empty()) parent.emptyReference = true;
    }
  }

  void CloseGroup() {
    Frame frame = frames_.back();
    frames_.pop_back();
    Frame& parent = frames_.back();
    parent.derived |= frame.derived;
    std::size_t opener = frame.start - 1;

    if (parent.kind == Frame::Kind::Group) {
      // A group inside a group stays as written, with its references expanded.
      out_ += L'}';
      if (parent.groups++ == 0 && opener == parent.start) parent.startsWithGroup = true;
      parent.lastGroupEnd = out_.size();
      return;
    }
    bool onlyOneGroup = frame.groups == 1 && frame.startsWithGroup && frame.lastGroupEnd == out_.size();
    if (onlyOneGroup) {
      out_.resize(opener);  // {{...}} disappears with its content
    } else if (frame.groups > 0 || (!frame.hasReference && !frame.emptyReference)) {
      out_ += L'}';  // no reference decides the group: it stays, braces included
    } else if (frame.emptyReference) {
      out_.resize(opener);
    } else {
      out_.erase(opener, 1);
    }
  }

  const Record& record_;
  const Session& session_;
  bool followFields_;
  std::wstring out_;
  std::vector<Frame> frames_;
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
