// Headless Chromium for the tests that open pages in a real browser: finding it, and loading a
// page to read back the document as the browser built it (after the load event).
#pragma once

#include <stdio.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>

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

// Writes `page` to a temporary folder, opens it with `chromium` and returns the DOM the browser
// dumps; empty when the page cannot be written or the browser gives nothing.
inline std::string DumpDomOfPage(const std::filesystem::path& chromium, const std::string& page) {
  namespace fs = std::filesystem;
  std::string dir_template = (fs::temp_directory_path() / "tessarine-browser-XXXXXX").string();
  if (mkdtemp(dir_template.data()) == nullptr) return {};
  const fs::path dir = dir_template;
  std::string dom;
  if (FILE* f = std::fopen((dir / "page.htm").c_str(), "wb")) {
    std::fwrite(page.data(), 1, page.size(), f);
    std::fclose(f);
    const std::string command = "timeout 120 '" + chromium.string() +
                                "' --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
                                " --disable-background-networking --disable-component-update --disable-sync"
                                " --user-data-dir='" +
                                (dir / "profile").string() + "' --dump-dom 'file://" +
                                (dir / "page.htm").string() + "' 2>/dev/null";
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

}  // namespace tessarine::testing
