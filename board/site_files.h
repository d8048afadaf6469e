// The page's static site, served from a built folder: each file in the
// precompressed form the build wrote beside it (NAME.br, NAME.gz) where the
// browser accepts that encoding, else as it is.
#pragma once

#include <httplib.h>

#include <string>

// Adds GET (and so HEAD) of every path the server's earlier routes leave.
// Nothing outside the folder is reachable, by ".." or by a link that leads
// out of it. False when the folder is none.
bool serveSiteFiles(httplib::Server& server, const std::string& folder);
