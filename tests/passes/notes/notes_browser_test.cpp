// Footnote links in a real browser: a converted page with two footnotes is opened in headless
// Chromium, every link of the notes is followed, and each must land on an anchor of its name.
// Skipped when Chromium is not installed (scripts/install-deps.sh installs it for the tests).
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "base/file_text.h"
#include "passes/pipeline/convert_rtf.h"
#include "tests/support/chromium.h"
#include "tests/support/paths.h"

namespace tessarine {
namespace {

namespace fs = std::filesystem;

// Follows every in-page link and records its class, the name it points to, how many elements
// carry that name, and which anchor the browser then takes as the target.
constexpr char kCheckScript[] = R"(<script>
var out = [];
var links = document.querySelectorAll('a[href^="#"]');
for (var i = 0; i < links.length; i++) {
  var name = links[i].getAttribute('href').substring(1);
  links[i].click();
  var target = document.querySelector(':target');
  out.push(links[i].className + ':' + name + ':' + document.getElementsByName(name).length + ':' +
           (target ? target.getAttribute('name') : '-'));
}
var pre = document.createElement('pre');
pre.id = 'notecheck';
pre.textContent = out.join(' ');
document.body.appendChild(pre);
</script>
)";

TEST(NotesInBrowserTest, EveryFootnoteLinkReachesItsAnchor) {
  const fs::path chromium = testing::FindChromium();
  if (chromium.empty()) GTEST_SKIP() << "Chromium is not installed; the browser check is skipped";

  std::string source;
  ASSERT_TRUE(ReadFileText(testing::DataDir() / "rtf" / "footnotes.rtf", &source).ok());
  std::string page = ConvertRtf(source, Settings{}).page;
  const size_t body_end = page.rfind("</body>");
  ASSERT_NE(body_end, std::string::npos);
  page.insert(body_end, kCheckScript);

  const std::string dom = testing::DumpDomOfPage(chromium, page);

  const std::string open = "<pre id=\"notecheck\">";
  const size_t at = dom.find(open);
  ASSERT_NE(at, std::string::npos) << "no result from the browser:\n" << dom;
  const size_t end = dom.find("</pre>", at);
  std::stringstream results(dom.substr(at + open.size(), end - at - open.size()));
  std::vector<std::string> links;
  for (std::string link; results >> link;) links.push_back(link);
  // class : target name : elements with that name : the anchor the browser went to
  EXPECT_EQ(links, (std::vector<std::string>{"sslk:dssl1:1:dssl1", "sslk:dssl2:1:dssl2", "ht:hts1:1:hts1",
                                             "ht:hts2:1:hts2"}));
}

}  // namespace
}  // namespace tessarine
