// Conformance build for Windows: the USER fixture lets a test choose the
// headless desktop's settings; on a real desktop there is nothing to choose,
// and the tests that choose something are left out of this build.
#pragma once

struct HeadlessConfig {};
