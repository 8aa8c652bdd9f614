// Screenshots of the forms as a person sees them: the top-level window
// captured from its device context and saved as a PNG by our own small
// writer over zlib.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vtrl {

// A PNG of Width x Height pixels from Rgb: rows from the top, three bytes
// (red, green, blue) per pixel, no padding. The file is the signature, an
// IHDR chunk (8-bit truecolour, no interlace), one IDAT chunk holding the
// zlib-compressed rows, each after filter byte 0, and IEND; every chunk
// carries its CRC-32. Raises Exception when Rgb has not Width * Height * 3
// bytes or the size is not positive.
std::vector<uint8_t> EncodePng(int Width, int Height, const std::vector<uint8_t>& Rgb);

// Captures the top-level window that holds Wnd, frame included, after
// painting what is pending, and saves it as a PNG in FileName. Raises
// Exception naming the file when the window cannot be captured or the
// file cannot be written.
void SaveWindowPng(HWND Wnd, const std::string& FileName);

// The directory screenshots go to (/SCREENSHOTS=); empty: none are taken.
// Setting it creates the directory when missing (raising Exception when it
// cannot) and starts the numbering at 01 again.
void SetScreenshotDirectory(const std::string& Dir);
const std::string& ScreenshotDirectory();

// In a run with a screenshot directory: saves the top-level window of Wnd
// as "NN-<Name>.png" there, NN counting from 01, and returns the file's
// path; returns an empty text when no directory is set.
std::string TakeScreenshot(HWND Wnd, const std::string& Name);

}  // namespace vtrl
