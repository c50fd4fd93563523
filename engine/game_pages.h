// The game's own web pages: the about page and the results page, shipped in pages/ of the data folder
// (seen from the current folder, like clp/ and wav/) and opened in the browser with file:// addresses.
// Until the game has a website these are the only pages its buttons lead to.
#pragma once

#include <string>
#include <string_view>

namespace game_pages {

// The pages the game opens; no other file of the data folder may be handed to the browser.
inline constexpr char kAbout[] = "about.html";
inline constexpr char kResults[] = "results.html";

// The real absolute path of the pages folder as it appears in an address (percent-encoded); empty when
// the current folder has none.
std::string FolderInAddress();
// The file:// address of page with suffix appended ("?e=<digits>" for the results page); empty, with a
// warning in the log, when the page is missing.
std::string Address(const char* page, const std::string& suffix = "");
// Opens page in the browser; false when it is missing or could not be handed on.
bool Open(const char* page, const std::string& suffix = "");

// True for an address the browser may be given: any http(s) address without blanks or control bytes,
// or one of the game's pages in pagesFolder (as FolderInAddress gives it): the about page alone, the
// results page alone or followed by "?e=" or "#e=" and its digits.
bool MayOpen(std::string_view url, std::string_view pagesFolder);

}  // namespace game_pages
