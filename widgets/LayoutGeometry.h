#pragma once

// The layout geometry moved to layout/; editor/ still includes it from here.
#include "layout/LayoutGeometry.h"
