#include "tests/support/reference_reader/rtf_document.h"

namespace tessarine::reference {

namespace {

class DocumentSink : public Sink {
 public:
  explicit DocumentSink(Document& document) : document_(document) { document_.paragraphs.emplace_back(); }

  void Text(std::string_view utf8, const CharStyle& style) override {
    std::vector<Run>& runs = document_.paragraphs.back().runs;
    if (!runs.empty() && runs.back().style == style) {
      runs.back().text.append(utf8);
    } else {
      runs.push_back(Run{std::string(utf8), style});
    }
  }

  void LineBreak() override {
    std::vector<Run>& runs = document_.paragraphs.back().runs;
    if (runs.empty()) runs.push_back(Run{});
    runs.back().text.push_back('\n');
  }

  void ParagraphEnd(Alignment alignment) override {
    document_.paragraphs.back().alignment = alignment;
    document_.paragraphs.emplace_back();
  }

  void End(Alignment alignment) override {
    Paragraph& last = document_.paragraphs.back();
    if (last.runs.empty() && document_.paragraphs.size() > 1) {
      document_.paragraphs.pop_back();
    } else {
      last.alignment = alignment;
    }
  }

 private:
  Document& document_;
};

class PlainTextSink : public Sink {
 public:
  explicit PlainTextSink(std::string& out) : out_(out) {}
  void Text(std::string_view utf8, const CharStyle&) override { out_.append(utf8); }
  void LineBreak() override { out_.push_back('\n'); }
  void ParagraphEnd(Alignment) override { out_.push_back('\n'); }
  void End(Alignment) override {}

 private:
  std::string& out_;
};

}  // namespace

Document ReadDocument(std::string_view rtf) {
  Document document;
  DocumentSink sink(document);
  ReadRtf(rtf, sink);
  return document;
}

std::string ExtractPlainText(std::string_view rtf) {
  std::string out;
  PlainTextSink sink(out);
  ReadRtf(rtf, sink);
  return out;
}

}  // namespace tessarine::reference
