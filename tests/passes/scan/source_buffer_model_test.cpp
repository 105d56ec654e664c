// SourceBuffer against a plain string model under long random sequences of operations: the
// remembered searches must never change an answer.
#include <algorithm>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "passes/scan/source_buffer.h"

namespace tessarine {
namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

long ModelFind(const std::string& text, const std::string& pattern, long from) {
  if (from < 0) from = 0;
  std::string lower_text = text;
  std::string lower_pattern = pattern;
  std::transform(lower_text.begin(), lower_text.end(), lower_text.begin(), Lower);
  std::transform(lower_pattern.begin(), lower_pattern.end(), lower_pattern.begin(), Lower);
  if (static_cast<size_t>(from) > text.size()) return -1;
  size_t at = lower_text.find(lower_pattern, static_cast<size_t>(from));
  return at == std::string::npos ? -1 : static_cast<long>(at);
}

TEST(SourceBufferModelTest, RandomOperationsMatchAPlainString) {
  std::mt19937 random(12345);
  auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::string patterns[] = {"\\par", "\\PAR", "ab", "a", "\\", "ba", "\\pard", "\r", "\\trowd", "bab"};
  const std::string alphabet = "abAB\\pr\r ";
  auto random_text = [&](int max_length) {
    std::string s;
    for (int i = pick(max_length + 1); i > 0; --i) s += alphabet[static_cast<size_t>(pick(alphabet.size()))];
    if (pick(3) == 0) s += "\\par";
    return s;
  };

  for (int round = 0; round < 40; ++round) {
    std::string model;
    std::string hidden;  // the tail set aside by HideFrom
    bool is_hidden = false;
    for (int i = 0; i < 60; ++i) model += random_text(12);
    SourceBuffer buffer;
    buffer.Load(model);
    for (int step = 0; step < 400; ++step) {
      const long size = static_cast<long>(model.size());
      switch (pick(10)) {
        case 0:
        case 1:
        case 2: {  // searches, often from the front
          const std::string& pattern = patterns[pick(std::size(patterns))];
          long from = pick(2) == 0 ? 0 : pick(static_cast<int>(size) + 3) - 1;
          ASSERT_EQ(buffer.Find(pattern, from), ModelFind(model, pattern, from))
              << "round " << round << " step " << step << " pattern " << pattern << " from " << from;
          break;
        }
        case 3: {  // cut, mostly at the front
          long start = pick(3) == 0 ? pick(static_cast<int>(size) + 1) : 0;
          long count = pick(20);
          std::string expected = model.substr(std::min<size_t>(start, model.size()), count);
          ASSERT_EQ(buffer.Cut(start, count), expected);
          model.erase(std::min<size_t>(start, model.size()), count);
          break;
        }
        case 4: {  // replace, mostly at the front
          long start = pick(3) == 0 ? pick(static_cast<int>(size) + 1) : 0;
          long count = pick(10);
          std::string text = random_text(10);
          buffer.Replace(start, count, text);
          model.replace(std::min<size_t>(start, model.size()), count, text);
          break;
        }
        case 5: {
          const std::string& pattern = patterns[pick(std::size(patterns))];
          std::string replacement = pick(2) == 0 ? "-" : "x\r";
          long replaced = buffer.ReplaceAll(pattern, replacement);
          long expected_count = 0;
          for (long at = ModelFind(model, pattern, 0); at >= 0;
               at = ModelFind(model, pattern, at + replacement.size())) {
            model.replace(static_cast<size_t>(at), pattern.size(), replacement);
            ++expected_count;
          }
          ASSERT_EQ(replaced, expected_count);
          break;
        }
        case 6:
          if (model.size() < 200) {
            std::string more = random_text(40);
            model = more + model;
            buffer.Load(model);
            is_hidden = false;
            hidden.clear();
          }
          break;
        case 7: {
          std::string text = random_text(15);
          buffer.PutBack(text);
          model = text + model;
          break;
        }
        case 8: {  // set the tail aside, or bring it back
          if (pick(2) == 0) {
            long start = pick(static_cast<int>(size) + 1);
            buffer.HideFrom(start);
            hidden = model.substr(static_cast<size_t>(start)) + (is_hidden ? hidden : "");
            model.erase(static_cast<size_t>(start));
            is_hidden = true;
          } else {
            buffer.ShowHidden();
            model = is_hidden ? hidden : "";
            hidden.clear();
            is_hidden = false;
          }
          break;
        }
        case 9:
          if (pick(4) == 0) {
            buffer.Clear();
            model.clear();
          }
          break;
      }
      ASSERT_EQ(buffer.Content(), model) << "round " << round << " step " << step;
      ASSERT_EQ(buffer.Length(),
                static_cast<long>(model.size() + std::count(model.begin(), model.end(), '\r')));
    }
  }
}

}  // namespace
}  // namespace tessarine
