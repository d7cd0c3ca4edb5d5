#pragma once

// The main window's surface styles, as stored under "Window Style".
enum SurfaceStyle { MatteStyle = 1, ShinyStyle = 2 };
