// The JPEG reader on bytes in memory: reading the parameters and then the whole image
// must end with a status, never a crash, an exit or a hang, and a picture it accepts
// fills exactly the buffer it was given.

#include "TextFuzzing.h"

#include <velk/platform/JpegCodec.h>

#include <vector>

namespace {
// Bigger pictures are valid but only slow the fuzzer down; the size limit itself is tested.
constexpr long long kFuzzPixels = 4'000'000;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    velk::JpegProperties props;
    velk::jpegInit(props);
    props.source = data;
    props.sourceSize = size;
    if (velk::jpegRead(props, velk::JpegMode::ReadParamsBuffer) == velk::JpegStatus::Ok) {
        fuzzCheck(props.jpegWidth > 0 && props.jpegHeight > 0, "a read header has a size");
        if ((long long)props.jpegWidth * props.jpegHeight <= kFuzzPixels) {
            const int pad = (4 - props.jpegWidth * 3 % 4) % 4;
            const size_t stride = size_t(props.jpegWidth) * 3 + size_t(pad);
            std::vector<unsigned char> buffer(stride * size_t(props.jpegHeight) + 1, 0xA5);
            props.dibBytes = buffer.data();
            props.dibWidth = props.jpegWidth;
            props.dibHeight = props.jpegHeight;
            props.dibPadBytes = pad;
            velk::jpegRead(props, velk::JpegMode::ReadImageBuffer);
            fuzzCheck(buffer.back() == 0xA5, "nothing written past the buffer");
        }
    }
    velk::jpegFree(props);
    return 0;
}
