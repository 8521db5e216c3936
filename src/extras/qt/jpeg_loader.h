#pragma once

#include <QByteArray>
#include <QImage>

#include <stdexcept>
#include <string>

namespace quintrel {

// A picture that could not be decoded (broken, truncated, unsupported or too big).
class JpegError : public std::runtime_error {
public:
    explicit JpegError(const std::string& what) : std::runtime_error(what) {}
};

// Larger pictures are refused before any pixel memory is taken: nothing we show comes near it,
// and a hostile header must not make us allocate gigabytes.
inline constexpr int kMaxJpegSide = 2048;

// Decodes JPEG bytes held in memory. Colour pictures come back as QImage::Format_RGB32,
// greyscale ones as QImage::Format_Grayscale8. Throws JpegError on any fault, warnings
// included: a picture that libjpeg would patch up with grey is still a broken picture.
QImage decodeJpeg(const QByteArray& bytes);

}  // namespace quintrel
