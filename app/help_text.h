// What `snowvel --help` says after the options: the keys, the controller's
// buttons and where the high scores are kept.
#pragma once

#include <string>

std::string helpFooter();
