#include "common/JpegSource.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <string>

#include "platform/Error.h"
#include "platform/Files.h"

namespace lumora {

// libjpeg's errors leave through longjmp, which must never cross an object with a destructor:
// each setjmp lives in a small function below that holds nothing but a pointer to this state,
// which lives on the heap, outside every frame the jump crosses. Zero-initialised on creation.
struct JpegState {
    jpeg_decompress_struct decoder;
    jpeg_error_mgr errorManager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    std::FILE* file;
    bool created;

    // Also runs when JpegSource's constructor fails half-way.
    ~JpegState() {
        if (created) {
            jpeg_destroy_decompress(&decoder);
        }
        if (file != nullptr) {
            std::fclose(file);
        }
    }
};

namespace {

JpegState* StateOf(j_common_ptr decoder) {
    return static_cast<JpegState*>(decoder->client_data);
}

[[noreturn]] void ExitWithMessage(j_common_ptr decoder) {
    JpegState* state = StateOf(decoder);
    (*decoder->err->format_message)(decoder, state->message);
    std::longjmp(state->jump, 1);
}

// Warnings are not printed. Those that mean lost picture data (the file ends early, the coded
// data is damaged) end the decode: the picture would be shown with grey or garbled parts.
void EmitMessage(j_common_ptr decoder, int level) {
    if (level >= 0) {
        return;
    }
    switch (decoder->err->msg_code) {
        case JWRN_JPEG_EOF:
        case JWRN_HIT_MARKER:
        case JWRN_HUFF_BAD_CODE:
        case JWRN_ARITH_BAD_CODE:
        case JWRN_MUST_RESYNC:
            ExitWithMessage(decoder);
        default:
            ++decoder->err->num_warnings;
    }
}

bool ProtectedReadHeader(JpegState* state) {
    if (setjmp(state->jump)) {
        return false;
    }
    jpeg_create_decompress(&state->decoder);
    state->created = true;
    jpeg_stdio_src(&state->decoder, state->file);
    jpeg_read_header(&state->decoder, TRUE);
    return true;
}

bool ProtectedCalcDimensions(JpegState* state) {
    if (setjmp(state->jump)) {
        return false;
    }
    jpeg_calc_output_dimensions(&state->decoder);
    return true;
}

bool ProtectedStart(JpegState* state) {
    if (setjmp(state->jump)) {
        return false;
    }
    jpeg_start_decompress(&state->decoder);
    return true;
}

bool ProtectedReadRow(JpegState* state, JSAMPROW row) {
    if (setjmp(state->jump)) {
        return false;
    }
    while (jpeg_read_scanlines(&state->decoder, &row, 1) != 1) {
        // Suspension cannot happen with a file source; a zero count would loop forever.
        ERREXIT(&state->decoder, JERR_INPUT_EMPTY);
    }
    return true;
}

bool ProtectedFinish(JpegState* state) {
    if (setjmp(state->jump)) {
        return false;
    }
    jpeg_finish_decompress(&state->decoder);
    return true;
}

std::uint8_t Scale255(unsigned a, unsigned b) {
    return static_cast<std::uint8_t>((a * b + 127) / 255);
}

}  // namespace

JpegSource::JpegSource(const std::filesystem::path& path)
    : path_(path), state_(std::make_unique<JpegState>()) {
    state_->decoder.err = jpeg_std_error(&state_->errorManager);
    state_->decoder.client_data = state_.get();
    state_->errorManager.error_exit = ExitWithMessage;
    state_->errorManager.emit_message = EmitMessage;
    state_->file = OpenFileForStdioReading(path);
    if (!ProtectedReadHeader(state_.get())) {
        Fail();
    }
    CheckPictureSize(state_->decoder.image_width, state_->decoder.image_height, path.string());
    fullSize_ = {static_cast<std::int32_t>(state_->decoder.image_width),
                 static_cast<std::int32_t>(state_->decoder.image_height)};

    const J_COLOR_SPACE space = state_->decoder.jpeg_color_space;
    cmyk_ = space == JCS_CMYK || space == JCS_YCCK;
    // libjpeg turns YCCK into CMYK but not into RGB; the last step is ours.
    state_->decoder.out_color_space = cmyk_ ? JCS_CMYK : JCS_EXT_BGR;
}

JpegSource::~JpegSource() = default;

void JpegSource::Fail() const {
    throw Error("Не удаётся декодировать JPEG \"" + path_.string() + "\": " + state_->message);
}

void JpegSource::SetScale(int scaleNum) {
    state_->decoder.scale_num = static_cast<unsigned>(scaleNum);
    state_->decoder.scale_denom = 8;
    if (!ProtectedCalcDimensions(state_.get())) {
        Fail();
    }
}

PictureSize JpegSource::ScaledSize(int scaleNum) {
    SetScale(scaleNum);
    return {static_cast<std::int32_t>(state_->decoder.output_width),
            static_cast<std::int32_t>(state_->decoder.output_height)};
}

void JpegSource::Start(int scaleNum) {
    SetScale(scaleNum);
    CheckPictureSize(state_->decoder.output_width, state_->decoder.output_height, path_.string());
    if (!ProtectedStart(state_.get())) {
        Fail();
    }
    outputSize_ = {static_cast<std::int32_t>(state_->decoder.output_width),
                   static_cast<std::int32_t>(state_->decoder.output_height)};
    if (cmyk_) {
        cmykRow_.resize(static_cast<std::size_t>(outputSize_.width) * 4);
    }
}

void JpegSource::ReadRow(std::uint8_t* bgr) {
    if (!cmyk_) {
        if (!ProtectedReadRow(state_.get(), bgr)) {
            Fail();
        }
        return;
    }
    if (!ProtectedReadRow(state_.get(), cmykRow_.data())) {
        Fail();
    }
    // Adobe writes CMYK inverted (0 = full ink); other writers store it plain.
    const bool inverted = state_->decoder.saw_Adobe_marker;
    const std::uint8_t* in = cmykRow_.data();
    for (std::int32_t x = 0; x < outputSize_.width; ++x, in += 4, bgr += 3) {
        unsigned c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        bgr[0] = Scale255(y, k);
        bgr[1] = Scale255(m, k);
        bgr[2] = Scale255(c, k);
    }
}

void JpegSource::Finish() {
    if (!ProtectedFinish(state_.get())) {
        Fail();
    }
}

}  // namespace lumora
