#pragma once
#include "EmbeddedArtwork.h"

#include <QImage>
#include <QString>

// The launcher's pictures through our own decoders; a null image when a picture cannot be read.
QImage DecodeEmbeddedPng(const EmbeddedPicture& picture);
QImage DecodeEmbeddedJpeg(const EmbeddedPicture& picture);
QImage LoadJpegFile(const QString& path);
