#include "JpegCodec.h"

#include <QFile>
#include <QSaveFile>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace velk {

namespace {

// Progressive files with thousands of tiny scans take minutes to decode; real pictures
// have a dozen. The same bound as libjpeg-turbo's own TJFLAG_LIMITSCANS.
constexpr int kMaxScans = 500;
constexpr int kRowsPerCall = 16;

// Marks a record as initialised; the codec keeps nothing else between calls.
int initialisedMarker = 0;

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failWith(j_common_ptr info)
{
    auto *err = reinterpret_cast<ErrorManager *>(info->err);
    std::longjmp(err->jump, 1);
}

[[noreturn]] void onError(j_common_ptr info)
{
    auto *err = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, err->message);
    failWith(info);
}

// A warning means damaged data (a file that ends early, a bad Huffman code): the picture
// would come out partly grey, so it counts as a failure.
void onMessage(j_common_ptr info, int level)
{
    if (level < 0)
        onError(info);
}

void onOutput(j_common_ptr) {}

void onProgress(j_common_ptr info)
{
    if (!info->is_decompressor)
        return;
    auto *d = reinterpret_cast<j_decompress_ptr>(info);
    if (d->input_scan_number > kMaxScans) {
        auto *err = reinterpret_cast<ErrorManager *>(info->err);
        std::snprintf(err->message, sizeof err->message, "more than %d scans", kMaxScans);
        failWith(info);
    }
}

void installErrorHandlers(ErrorManager &err)
{
    jpeg_std_error(&err.pub);
    err.pub.error_exit = onError;
    err.pub.emit_message = onMessage;
    err.pub.output_message = onOutput;
    err.message[0] = '\0';
}

bool isTooLarge(const jpeg_decompress_struct &info)
{
    return info.image_width > unsigned(JpegMaxSide) || info.image_height > unsigned(JpegMaxSide)
           || (long long)info.image_width * info.image_height > JpegMaxPixels;
}

JpegStatus checkTarget(const JpegProperties &p)
{
    if (!p.dibBytes || p.dibChannels != 3 || p.dibPadBytes < 0 || p.dibWidth != p.jpegWidth
        || p.dibHeight != p.jpegHeight)
        return JpegStatus::BadArguments;
    return JpegStatus::Ok;
}

bool isCmyk(const jpeg_decompress_struct &info)
{
    return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

// CMYK pictures (print scans) come from libjpeg as CMYK rows, inverted as Adobe writes
// them; each row is turned into BGR through a row buffer from libjpeg's own pool, which
// jpeg_destroy frees on every path.
void storeCmykRows(jpeg_decompress_struct &info, unsigned char *dib, std::size_t stride)
{
    JSAMPARRAY row = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                               info.output_width * 4, 1);
    while (info.output_scanline < info.output_height) {
        unsigned char *out = dib + info.output_scanline * stride;
        jpeg_read_scanlines(&info, row, 1);
        const unsigned char *in = row[0];
        for (JDIMENSION x = 0; x < info.output_width; ++x, in += 4, out += 3) {
            const unsigned k = in[3];
            out[0] = (unsigned char)(in[2] * k / 255);
            out[1] = (unsigned char)(in[1] * k / 255);
            out[2] = (unsigned char)(in[0] * k / 255);
        }
    }
}

void storeRows(jpeg_decompress_struct &info, unsigned char *dib, std::size_t stride)
{
    JSAMPROW rows[kRowsPerCall];
    while (info.output_scanline < info.output_height) {
        const unsigned first = info.output_scanline;
        const unsigned count = std::min<unsigned>(kRowsPerCall, info.output_height - first);
        for (unsigned i = 0; i < count; ++i)
            rows[i] = dib + (first + i) * stride;
        jpeg_read_scanlines(&info, rows, count);
    }
}

// Only plain C objects live in this frame: longjmp skips no destructor.
JpegStatus decodeFrom(JpegProperties &p, std::FILE *file, bool whole)
{
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof info);
    ErrorManager err;
    installErrorHandlers(err);
    info.err = &err.pub;
    jpeg_progress_mgr progress;
    std::memset(&progress, 0, sizeof progress);
    progress.progress_monitor = onProgress;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        p.errorText = QString::fromLatin1(err.message);
        return JpegStatus::CodecError;
    }
    jpeg_create_decompress(&info);
    info.progress = &progress;
    if (file)
        jpeg_stdio_src(&info, file);
    else
        jpeg_mem_src(&info, p.source, (unsigned long)p.sourceSize);
    jpeg_read_header(&info, TRUE);
    JpegStatus status = JpegStatus::Ok;
    if (isTooLarge(info)) {
        status = JpegStatus::TooLarge;
    } else {
        p.jpegWidth = int(info.image_width);
        p.jpegHeight = int(info.image_height);
        p.jpegChannels = info.num_components;
        if (whole)
            status = checkTarget(p);
    }
    if (whole && status == JpegStatus::Ok) {
        const bool cmyk = isCmyk(info);
        info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
        jpeg_start_decompress(&info);
        const std::size_t stride = std::size_t(p.dibWidth) * 3 + std::size_t(p.dibPadBytes);
        if (cmyk)
            storeCmykRows(info, p.dibBytes, stride);
        else
            storeRows(info, p.dibBytes, stride);
        jpeg_finish_decompress(&info);
    }
    jpeg_destroy_decompress(&info);
    return status;
}

JpegStatus decode(JpegProperties &p, bool fromFile, bool whole)
{
    if (!fromFile)
        return p.source && p.sourceSize ? decodeFrom(p, nullptr, whole) : JpegStatus::BadArguments;
    std::FILE *file = std::fopen(QFile::encodeName(p.fileName).constData(), "rb");
    if (!file)
        return JpegStatus::CannotOpenFile;
    const JpegStatus status = decodeFrom(p, file, whole);
    std::fclose(file);
    return status;
}

// The encoder's output: one malloc'd block the caller owns on every path (libjpeg's own
// memory destination would leave a grown block behind when encoding fails).
struct BufferDestination
{
    jpeg_destination_mgr pub;
    unsigned char *data = nullptr;
    std::size_t capacity = 0;
    std::size_t used = 0;
};

void startBuffer(j_compress_ptr info)
{
    auto *dest = reinterpret_cast<BufferDestination *>(info->dest);
    dest->pub.next_output_byte = dest->data;
    dest->pub.free_in_buffer = dest->capacity;
}

boolean growBuffer(j_compress_ptr info)
{
    auto *dest = reinterpret_cast<BufferDestination *>(info->dest);
    const std::size_t grown = dest->capacity * 2;
    auto *data = static_cast<unsigned char *>(std::realloc(dest->data, grown));
    if (!data) {
        auto *err = reinterpret_cast<ErrorManager *>(info->err);
        std::snprintf(err->message, sizeof err->message, "out of memory");
        failWith(reinterpret_cast<j_common_ptr>(info));
    }
    dest->pub.next_output_byte = data + dest->capacity;
    dest->pub.free_in_buffer = grown - dest->capacity;
    dest->data = data;
    dest->capacity = grown;
    return TRUE;
}

void endBuffer(j_compress_ptr info)
{
    auto *dest = reinterpret_cast<BufferDestination *>(info->dest);
    dest->used = dest->capacity - dest->pub.free_in_buffer;
}

JpegStatus encodeInto(JpegProperties &p, BufferDestination &dest)
{
    jpeg_compress_struct info;
    std::memset(&info, 0, sizeof info);
    ErrorManager err;
    installErrorHandlers(err);
    info.err = &err.pub;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&info);
        p.errorText = QString::fromLatin1(err.message);
        return JpegStatus::CodecError;
    }
    jpeg_create_compress(&info);
    dest.pub.init_destination = startBuffer;
    dest.pub.empty_output_buffer = growBuffer;
    dest.pub.term_destination = endBuffer;
    info.dest = &dest.pub;
    info.image_width = JDIMENSION(p.dibWidth);
    info.image_height = JDIMENSION(p.dibHeight);
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, p.quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = std::size_t(p.dibWidth) * 3 + std::size_t(p.dibPadBytes);
    JSAMPROW rows[kRowsPerCall];
    while (info.next_scanline < info.image_height) {
        const unsigned first = info.next_scanline;
        const unsigned count = std::min<unsigned>(kRowsPerCall, info.image_height - first);
        for (unsigned i = 0; i < count; ++i)
            rows[i] = p.dibBytes + (first + i) * stride;
        jpeg_write_scanlines(&info, rows, count);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return JpegStatus::Ok;
}

JpegStatus encode(JpegProperties &p, bool toFile)
{
    if (!p.dibBytes || p.dibChannels != 3 || p.dibPadBytes < 0 || p.dibWidth < 1 || p.dibHeight < 1
        || p.dibWidth > JpegMaxSide || p.dibHeight > JpegMaxSide || p.quality < 1 || p.quality > 100)
        return JpegStatus::BadArguments;
    // A photo at high quality takes about an eighth of its raw size; pages of the block
    // that stay unused are never touched.
    BufferDestination dest;
    dest.capacity = std::size_t(p.dibWidth) * std::size_t(p.dibHeight) * 3 / 8 + 65536;
    dest.data = static_cast<unsigned char *>(std::malloc(dest.capacity));
    JpegStatus status = dest.data ? encodeInto(p, dest) : JpegStatus::CodecError;
    if (status == JpegStatus::Ok && !toFile)
        p.output = QByteArray(reinterpret_cast<const char *>(dest.data), qsizetype(dest.used));
    if (status == JpegStatus::Ok && toFile) {
        // Written beside the target and renamed over it: a failure leaves the old file whole.
        QSaveFile file(p.fileName);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(reinterpret_cast<const char *>(dest.data), qint64(dest.used)) != qint64(dest.used)
            || !file.commit())
            status = JpegStatus::CannotWriteFile;
    }
    std::free(dest.data);
    return status;
}

} // namespace

JpegStatus jpegInit(JpegProperties &props)
{
    props.internal = &initialisedMarker;
    props.errorText.clear();
    return JpegStatus::Ok;
}

JpegStatus jpegRead(JpegProperties &props, JpegMode mode)
{
    if (props.internal != &initialisedMarker)
        return JpegStatus::NotInitialised;
    props.errorText.clear();
    switch (mode) {
    case JpegMode::ReadParamsFile: return decode(props, true, false);
    case JpegMode::ReadParamsBuffer: return decode(props, false, false);
    case JpegMode::ReadImageFile: return decode(props, true, true);
    case JpegMode::ReadImageBuffer: return decode(props, false, true);
    default: return JpegStatus::BadArguments;
    }
}

JpegStatus jpegWrite(JpegProperties &props, JpegMode mode)
{
    if (props.internal != &initialisedMarker)
        return JpegStatus::NotInitialised;
    props.errorText.clear();
    switch (mode) {
    case JpegMode::WriteImageFile: return encode(props, true);
    case JpegMode::WriteImageBuffer: return encode(props, false);
    default: return JpegStatus::BadArguments;
    }
}

JpegStatus jpegFree(JpegProperties &props)
{
    if (props.internal != &initialisedMarker)
        return JpegStatus::NotInitialised;
    props.internal = nullptr;
    return JpegStatus::Ok;
}

} // namespace velk
