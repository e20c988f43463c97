// User object files: plain text holding numbers separated by white space,
// read as pairs x y, that describe a polygon or polyline to paint into the
// geometry image. The numbers are metres once multiplied by the scale (a
// file written in millimetres needs a scale of 0.001).
#pragma once

#include <string>
#include <vector>

namespace elix {

// At most this many numbers (512 points) are accepted.
inline constexpr int kMaxUserObjectNumbers = 1024;

struct UserObjectPoints {
    std::vector<double> xs;
    std::vector<double> ys;
};

// Reads the numbers one at a time, as "%lf" would, until the end of the
// file. More than kMaxUserObjectNumbers numbers, or text that does not read
// as a number, fails with "User object file '<path>' has too many points or
// wrong format."; a file that cannot be opened fails with "Unable to open
// user object file.". Otherwise points gets count / 2 points (an odd last
// number is ignored). On failure points is left unchanged and message holds
// the text.
bool ReadUserObjectFile(const std::string& path, UserObjectPoints& points, std::string& message);

// How the file's points are placed: each point is turned by thetaRadians
// about the first point (positive turns x towards y), then
// x = x * xScale + xOffset and y = y * yScale + yOffset (offsets in metres).
struct UserObjectTransform {
    double thetaRadians = 0.0;
    double xScale = 1.0;
    double yScale = 1.0;
    double xOffset = 0.0;
    double yOffset = 0.0;
};

UserObjectPoints TransformUserObject(const UserObjectPoints& points, const UserObjectTransform& transform);

}  // namespace elix
