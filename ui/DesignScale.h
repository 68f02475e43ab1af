// The process-wide scale factor for design measures.
//
// Every position and size a form gives for its controls is in design units at 96 dots per inch;
// a measure v is created at int(ScaleFactor() * v + 0.5). The factor is fixed once at start-up
// and never follows a later change of screen.
#pragma once

// max(1.0, dpi / 96): a screen at 96 dpi or less gives exactly 1.0.
double ScaleFactorForDpi(double dpi);

double ScaleFactor();
// Start-up sets the factor once; tests set it to try other screens. Values below 1.0 read 1.0.
void SetScaleFactor(double factor);

// int(ScaleFactor() * v + 0.5): rounded half up for positive measures.
int ScaleDesignMeasure(int v);
