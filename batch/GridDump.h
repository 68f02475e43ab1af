// The grid as one JSON object, for checking a sheet without a screen:
// {"rows":R,"columns":C,"fixedRows":..,"fixedColumns":..,"gridLineMode":..,"printLineWidth":..,
//  "gridLineColour":..,"printLayout":[left,right,top,bottom,header,footer,gap],
//  "rowHeights":[..],"columnWidths":[..],
//  "columnKinds":[{"column":..,"kind":..,"param":..}],
//  "cells":[[{"text":"..","face":"..","height":..,"format":..,"picture":..},..],..]}
// format is the decimal DrawText flags, picture the picture number or 0.
#pragma once

#include <cstdio>

class CGridCtrl;

// Streams the dump (UTF-8, one line) to `out`; false when writing failed.
bool WriteGridJson(const CGridCtrl& grid, std::FILE* out);
