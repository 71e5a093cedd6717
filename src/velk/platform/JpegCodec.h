#pragma once

// The JPEG codec seam: four calls on one properties record, over libjpeg-turbo. A caller
// fills the record, reads the parameters, allocates a BGR buffer with padded rows for the
// reported size, and reads the whole image straight into it; writing takes such a buffer
// and a quality. Every failure is a status, never an exit: the codec's errors and its
// warnings (truncated or corrupt data) end the call with an error status.

#include <velk/velk_export.h>

#include <QByteArray>
#include <QString>

#include <cstddef>

namespace velk {

/// What jpegRead and jpegWrite do: from or to a file (JpegProperties::fileName) or memory.
enum class JpegMode {
    ReadParamsFile = 0,  ///< read the size and channels from the file's header
    ReadParamsBuffer = 1, ///< the same from `source`
    ReadImageFile = 2,   ///< decode the whole file into `dibBytes`
    ReadImageBuffer = 3, ///< the same from `source`
    WriteImageFile = 4,  ///< encode `dibBytes` into the file
    WriteImageBuffer = 5, ///< encode `dibBytes` into `output`
};

enum class JpegStatus {
    Ok = 0,
    NotInitialised,    ///< jpegInit was not called, or jpegFree already was
    BadArguments,      ///< a missing buffer, a wrong channel count, a buffer size that does not fit
    CannotOpenFile,
    CannotWriteFile,
    TooLarge,          ///< wider or taller than JpegMaxSide or larger than JpegMaxPixels
    CodecError,        ///< corrupt data, or a warning such as data that ends early
};

/// The largest side and pixel count the reader accepts; bigger pictures are refused after
/// the header is read, before anything is allocated for them (a 24-bit buffer of this many
/// pixels takes 600 MB).
inline constexpr int JpegMaxSide = 65500;
inline constexpr long long JpegMaxPixels = 200'000'000LL;

/// The codec properties record. Fields marked "in" are the caller's, "out" the codec's.
struct VELK_EXPORT JpegProperties
{
    QString fileName;                ///< in: file modes
    const unsigned char *source = nullptr; ///< in: buffer read modes
    std::size_t sourceSize = 0;      ///< in
    QByteArray output;               ///< out: WriteImageBuffer

    int jpegWidth = 0;               ///< out: read modes
    int jpegHeight = 0;              ///< out
    int jpegChannels = 0;            ///< out: 1 grey, 3 colour, 4 CMYK (decoded into BGR too)

    unsigned char *dibBytes = nullptr; ///< in: the BGR buffer, rows top to bottom
    int dibWidth = 0;                ///< in: must equal jpegWidth for ReadImage*
    int dibHeight = 0;               ///< in
    int dibPadBytes = 0;             ///< in: bytes after each row's dibWidth × 3
    int dibChannels = 3;             ///< in: only 3 (BGR) is supported
    int quality = 75;                ///< in: 1..100 for the write modes

    QString errorText;               ///< out: the codec's message of the last failure
    void *internal = nullptr;        ///< the codec's own state between jpegInit and jpegFree
};

/// Prepares `props` for reading and writing.
VELK_EXPORT JpegStatus jpegInit(JpegProperties &props);
/// Reads parameters or a whole image (JpegMode::Read*).
VELK_EXPORT JpegStatus jpegRead(JpegProperties &props, JpegMode mode);
/// Writes the whole image (JpegMode::Write*).
VELK_EXPORT JpegStatus jpegWrite(JpegProperties &props, JpegMode mode);
/// Releases what jpegInit made; the record can be initialised again.
VELK_EXPORT JpegStatus jpegFree(JpegProperties &props);

} // namespace velk
