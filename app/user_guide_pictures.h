#pragma once
// The user guide's pictures, made by the program itself: its windows as a
// user sees them after a few steps, each written as a PNG file.

#include <string>
#include <vector>

namespace qv {

// The files written, in the order the guide shows them.
std::vector<std::string> UserGuidePictureNames();

// Starts the program over the installed front end, takes the steps and
// writes each picture into `folder`. 0 when every picture was written, 1
// otherwise (saying why on standard error), -1 when the user interface
// cannot start.
int WriteUserGuidePictures(int argc, char* argv[], const std::string& folder);

}  // namespace qv
