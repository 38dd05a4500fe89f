// When a skinned edit gets its outline: only an edit that has a border,
// told by its window being larger than its client area.
#pragma once

// On painting: the window exceeds the client area in both directions.
bool EditHasBorder(int windowWidth, int windowHeight, int clientWidth, int clientHeight);

// When printed into another context: by more than 2 px in both directions,
// since the print draws a two-pixel ring.
bool EditPrintHasBorder(int windowWidth, int windowHeight, int clientWidth, int clientHeight);
