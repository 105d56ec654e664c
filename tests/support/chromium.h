// Headless Chromium for the tests that open pages in a real browser: finding it, loading pages to
// read back the documents as the browser built them (after the load event), and checking pages:
// every in-page link followed to its anchor, every picture decoded.
#pragma once

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace tessarine::testing {

// The Chromium executable on PATH; empty when there is none.
inline std::filesystem::path FindChromium() {
  const char* path = std::getenv("PATH");
  std::stringstream dirs(path != nullptr ? path : "/usr/bin");
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    for (const char* name : {"chromium", "chromium-browser"}) {
      std::error_code ec;
      std::filesystem::path candidate = std::filesystem::path(dir) / name;
      if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
    }
  }
  return {};
}

// Writes `files` (name, bytes) to a temporary folder, opens the first with `chromium` and returns
// the DOM the browser dumps; the pages may read the other files of the folder. `flags` go to the
// browser too (as "--virtual-time-budget=3000", to let timers run before the dump). Empty when
// the files cannot be written or the browser gives nothing.
inline std::string DumpDomOfFiles(const std::filesystem::path& chromium,
                                  const std::vector<std::pair<std::string, std::string>>& files,
                                  const std::string& flags = "") {
  namespace fs = std::filesystem;
  std::string dir_template = (fs::temp_directory_path() / "tessarine-browser-XXXXXX").string();
  if (files.empty() || mkdtemp(dir_template.data()) == nullptr) return {};
  const fs::path dir = dir_template;
  bool written = true;
  for (const auto& [name, bytes] : files) {
    FILE* f = std::fopen((dir / name).c_str(), "wb");
    written = written && f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f != nullptr) std::fclose(f);
  }
  std::string dom;
  if (written) {
    const std::string command = "timeout 120 '" + chromium.string() +
                                "' --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
                                " --disable-background-networking --disable-component-update --disable-sync"
                                " --allow-file-access-from-files " + flags + " --user-data-dir='" +
                                (dir / "profile").string() + "' --dump-dom 'file://" +
                                (dir / files.front().first).string() + "' 2>/dev/null";
    if (FILE* pipe = popen(command.c_str(), "r")) {
      char buffer[4096];
      size_t n;
      while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) dom.append(buffer, n);
      pclose(pipe);
    }
  }
  std::error_code ec;
  fs::remove_all(dir, ec);
  return dom;
}

// DumpDomOfFiles for one page.
inline std::string DumpDomOfPage(const std::filesystem::path& chromium, const std::string& page) {
  return DumpDomOfFiles(chromium, {{"page.htm", page}});
}

// Opens every one of `pages` in a frame of one browser and, after the load event, checks each:
// follows every in-page link and tells whether exactly one element carries the name it points
// to and the browser takes that anchor as the target ("link:ok", else "link:lost:<name>"), then
// whether every picture decodes and, drawn at its size, shows something but white or nothing
// ("img:ok", else "img:broken:<n>" or "img:blank:<n>"). The checks of each page in
// order, "none" for a page the browser did not open; an empty result when the browser gave none.
inline std::vector<std::vector<std::string>> CheckPagesInBrowser(const std::filesystem::path& chromium,
                                                                 const std::vector<std::string>& pages) {
  static constexpr char kScript[] = R"(<script>
function checkPage(doc) {
  var out = [];
  var links = doc.querySelectorAll('a[href^="#"]');
  for (var i = 0; i < links.length; i++) {
    var name = links[i].getAttribute('href').substring(1);
    links[i].click();
    var target = doc.querySelector(':target');
    out.push('link:' + (doc.getElementsByName(name).length == 1 && target &&
                        target.getAttribute('name') == name ? 'ok' : 'lost:' + encodeURIComponent(name)));
  }
  var images = doc.images;
  for (var i = 0; i < images.length; i++) {
    var image = images[i];
    if (!(image.naturalWidth > 0)) {
      out.push('img:broken:' + i);
      continue;
    }
    // Drawn at its size in the page (at most 400 pixels a side): some pixel is neither
    // transparent nor white.
    var canvas = doc.createElement('canvas');
    canvas.width = Math.max(1, Math.min(image.width || image.naturalWidth, 400));
    canvas.height = Math.max(1, Math.min(image.height || image.naturalHeight, 400));
    var context = canvas.getContext('2d');
    context.drawImage(image, 0, 0, canvas.width, canvas.height);
    var pixels = context.getImageData(0, 0, canvas.width, canvas.height).data;
    var seen = false;
    for (var p = 0; p < pixels.length && !seen; p += 4) {
      seen = pixels[p + 3] > 0 && (pixels[p] < 248 || pixels[p + 1] < 248 || pixels[p + 2] < 248);
    }
    out.push('img:' + (seen ? 'ok' : 'blank:' + i));
  }
  return out.join(' ');
}
window.addEventListener('load', function() {
  var frames = document.getElementsByTagName('iframe');
  var out = [];
  for (var f = 0; f < frames.length; f++) {
    var doc = frames[f].contentDocument;
    out.push(doc ? checkPage(doc) : 'none');
  }
  var pre = document.createElement('pre');
  pre.id = 'pagecheck';
  pre.textContent = out.join('\n');
  document.body.appendChild(pre);
});
</script>)";
  std::vector<std::pair<std::string, std::string>> files = {{"index.htm", "<html><body>\n"}};
  for (size_t p = 0; p < pages.size(); ++p) {
    const std::string name = "page" + std::to_string(p) + ".htm";
    files.front().second += "<iframe src=\"" + name + "\"></iframe>\n";
    files.emplace_back(name, pages[p]);
  }
  files.front().second += std::string(kScript) + "</body></html>\n";
  const std::string dom = DumpDomOfFiles(chromium, files);

  const std::string open = "<pre id=\"pagecheck\">";
  const size_t at = dom.find(open);
  if (at == std::string::npos) return {};
  const size_t end = dom.find("</pre>", at);
  const std::string text =
      dom.substr(at + open.size(), end == std::string::npos ? end : end - at - open.size());
  // A line per page; the last ones may be empty.
  std::vector<std::vector<std::string>> results(1 + std::count(text.begin(), text.end(), '\n'));
  size_t start = 0;
  for (std::vector<std::string>& checks : results) {
    const size_t stop = std::min(text.find('\n', start), text.size());
    std::stringstream words(text.substr(start, stop - start));
    for (std::string check; words >> check;) checks.push_back(check);
    start = stop + 1;
  }
  if (results.size() != pages.size()) return {};
  return results;
}

}  // namespace tessarine::testing
