#include "board/site_files.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

struct FileKind {
  std::string_view extension;
  const char* type;
  bool compressible;
};

constexpr FileKind kKinds[] = {
    {".html", "text/html; charset=utf-8", true},
    {".js", "text/javascript", true},
    {".wasm", "application/wasm", true},
    {".ico", "image/vnd.microsoft.icon", true},
    {".webmanifest", "application/manifest+json", true},
    {".sounds", "application/octet-stream", true},
    {".png", "image/png", false},
};

FileKind kindOf(const fs::path& file) {
  const std::string extension = file.extension().string();
  for (const FileKind& kind : kKinds) {
    if (kind.extension == extension) return kind;
  }
  return {"", "application/octet-stream", false};
}

// Whether the client takes an encoding by that name ("br;q=0" refuses it).
bool accepts(const std::string& header, std::string_view name) {
  std::string_view rest = header;
  while (!rest.empty()) {
    const size_t comma = rest.find(',');
    std::string_view part = rest.substr(0, comma);
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    const size_t semicolon = part.find(';');
    std::string_view token = part.substr(0, semicolon);
    while (!token.empty() && token.front() == ' ') token.remove_prefix(1);
    while (!token.empty() && token.back() == ' ') token.remove_suffix(1);
    if (token != name) continue;
    if (semicolon == std::string_view::npos) return true;
    std::string_view params = part.substr(semicolon + 1);
    while (!params.empty() && params.front() == ' ') params.remove_prefix(1);
    if (!params.starts_with("q=")) return true;
    params.remove_prefix(2);
    return params.find_first_of("123456789") != std::string_view::npos;
  }
  return false;
}

// The request's path inside the folder, or nothing when it would leave it:
// no "..", no backslash, no NUL; a folder's address is its index.html.
std::optional<fs::path> pathInside(const fs::path& root, const std::string& requested) {
  if (requested.empty() || requested.front() != '/') return std::nullopt;
  fs::path relative;
  size_t at = 1;
  while (at <= requested.size()) {
    const size_t slash = std::min(requested.find('/', at), requested.size());
    const std::string_view part = std::string_view(requested).substr(at, slash - at);
    if (part == ".." || part.find_first_of(std::string_view("\\\0", 2)) != std::string_view::npos)
      return std::nullopt;
    if (!part.empty() && part != ".") relative /= part;
    at = slash + 1;
  }
  if (requested.back() == '/') relative /= "index.html";
  return root / relative;
}

// The file itself when it is a regular one whose real place is inside the
// folder: a link may point within the site, never out of it.
std::optional<fs::path> realFileInside(const fs::path& root, const fs::path& file) {
  std::error_code error;
  const fs::path real = fs::canonical(file, error);
  if (error || !fs::is_regular_file(real, error)) return std::nullopt;
  const auto [end, _] = std::mismatch(root.begin(), root.end(), real.begin(), real.end());
  if (end != root.end()) return std::nullopt;
  return real;
}

std::optional<std::string> readWhole(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Chosen {
  fs::path file;
  const char* encoding;  // nullptr: as it is
};

// The first precompressed form the client accepts that is no older than the
// file (an older one is left from an earlier build), else the file.
Chosen chooseForm(const fs::path& root, const fs::path& file, const std::string& accepted) {
  static constexpr std::pair<const char*, const char*> kForms[] = {{"br", ".br"}, {"gzip", ".gz"}};
  std::error_code error;
  const auto written = fs::last_write_time(file, error);
  for (const auto& [encoding, suffix] : kForms) {
    if (!accepts(accepted, encoding)) continue;
    const auto form = realFileInside(root, fs::path(file) += suffix);
    if (form && !error && fs::last_write_time(*form, error) >= written && !error)
      return {*form, encoding};
  }
  return {file, nullptr};
}

}  // namespace

bool serveSiteFiles(httplib::Server& server, const std::string& folder) {
  std::error_code error;
  const fs::path root = fs::canonical(folder, error);
  if (error || !fs::is_directory(root, error)) return false;

  server.Get(R"(/.*)", [root](const httplib::Request& req, httplib::Response& res) {
    res.status = 404;
    const auto wanted = pathInside(root, req.path);
    const auto file = wanted ? realFileInside(root, *wanted) : std::nullopt;
    if (!file) return;
    const FileKind kind = kindOf(*file);
    const Chosen form = kind.compressible
                            ? chooseForm(root, *file, req.get_header_value("Accept-Encoding"))
                            : Chosen{*file, nullptr};
    std::error_code error;
    const auto size = fs::file_size(form.file, error);
    if (error) return;
    const auto written = fs::last_write_time(form.file, error);
    if (error) return;
    // A validator per form: the service worker's copy of what the page has
    // just fetched is then a 304.
    const std::string tag =
        "\"" + std::to_string(size) + "-" +
        std::to_string(static_cast<uint64_t>(written.time_since_epoch().count())) +
        (form.encoding ? std::string("-") + form.encoding : "") + "\"";
    res.set_header("ETag", tag);
    res.set_header("Cache-Control", "no-cache");
    if (kind.compressible) res.set_header("Vary", "Accept-Encoding");
    if (req.get_header_value("If-None-Match") == tag) {
      res.status = 304;
      return;
    }
    auto body = readWhole(form.file);
    if (!body) return;
    res.status = 200;
    if (form.encoding) res.set_header("Content-Encoding", form.encoding);
    if (body->empty()) return res.set_content("", kind.type);
    // Sent by a provider of known length: the library compresses a plain
    // body on its own, which would encode an encoded file again.
    auto shared = std::make_shared<std::string>(std::move(*body));
    res.set_content_provider(shared->size(), kind.type,
                             [shared](size_t offset, size_t length, httplib::DataSink& sink) {
                               return sink.write(shared->data() + offset, length);
                             });
  });
  return true;
}
