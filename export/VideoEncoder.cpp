#include "export/VideoEncoder.h"

#include "export/ExportException.h"
#include "export/GifQuantizer.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <csignal>
#include <cstdio>

namespace {

std::string AvError(int code) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

const char* EncoderName(EVideoFormat format) {
    switch (format) {
    case EVideoFormat::WebM:
        return "libvpx-vp9";
    case EVideoFormat::Gif:
        return "gif";
    case EVideoFormat::Mp4:
        break;
    }
    return "libx264";
}

const char* MuxerName(EVideoFormat format) {
    switch (format) {
    case EVideoFormat::WebM:
        return "webm";
    case EVideoFormat::Gif:
        return "gif";
    case EVideoFormat::Mp4:
        break;
    }
    return "mp4";
}

// Quality over size where it is cheap: a still board costs next to nothing in either codec,
// and the speeds keep a 720p export at least as fast as it plays on two cores.
void SetEncoderOptions(EVideoFormat format, AVCodecContext& codec) {
    switch (format) {
    case EVideoFormat::Mp4:
        av_opt_set(codec.priv_data, "preset", "veryfast", 0);
        av_opt_set(codec.priv_data, "crf", "21", 0);
        break;
    case EVideoFormat::WebM:
        av_opt_set(codec.priv_data, "deadline", "realtime", 0);
        av_opt_set(codec.priv_data, "cpu-used", "8", 0);
        av_opt_set(codec.priv_data, "crf", "32", 0);
        av_opt_set(codec.priv_data, "row-mt", "1", 0);
        codec.bit_rate = 0;
        break;
    case EVideoFormat::Gif:
        break;
    }
}

} // namespace

struct CVideoEncoder::SState {
    AVFormatContext* container = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    SwsContext* scaler = nullptr;
    AVFrame* frame = nullptr; // what the encoder takes
    AVFrame* rgba = nullptr;  // the picture handed to the GIF's filters
    AVPacket* packet = nullptr;
    std::unique_ptr<CGifQuantizer> quantizer;
    bool fileOpen = false;

    ~SState() {
        av_packet_free(&packet);
        av_frame_free(&rgba);
        av_frame_free(&frame);
        sws_freeContext(scaler);
        avcodec_free_context(&codec);
        if (container != nullptr) {
            if (fileOpen) {
                avio_closep(&container->pb);
            }
            avformat_free_context(container);
        }
    }
};

CVideoEncoder::CVideoEncoder(std::string target, const SVideoSettings& videoSettings)
    : path(std::move(target)), partialPath(path + ".part"), settings(videoSettings) {
    const std::string problem = CheckVideoSettings(settings);
    if (!problem.empty()) {
        throw CExportException("CVideoEncoder::Open(): " + problem);
    }
    try {
        Open();
    } catch (...) {
        Abandon();
        throw;
    }
}

CVideoEncoder::~CVideoEncoder() {
    if (!finished) {
        Abandon();
    }
}

void CVideoEncoder::Fail(const char* operation, const std::string& reason) {
    Abandon();
    throw CExportException(std::string("CVideoEncoder::") + operation + "(): Cannot write '" +
                           path + "': " + reason);
}

void CVideoEncoder::Open() {
    // A write past the process's file size limit must fail with EFBIG, which is reported, rather
    // than end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    av_log_set_level(AV_LOG_ERROR);
    state = std::make_unique<SState>();
    SState& s = *state;
    const AVCodec* encoder = avcodec_find_encoder_by_name(EncoderName(settings.format));
    if (encoder == nullptr) {
        throw CExportException(std::string("CVideoEncoder::Open(): FFmpeg has no ") +
                               EncoderName(settings.format) + " encoder.");
    }
    int status = avformat_alloc_output_context2(&s.container, nullptr, MuxerName(settings.format),
                                                partialPath.c_str());
    if (status < 0 || s.container == nullptr) {
        Fail("Open", AvError(status));
    }
    s.codec = avcodec_alloc_context3(encoder);
    s.packet = av_packet_alloc();
    s.frame = av_frame_alloc();
    if (s.codec == nullptr || s.packet == nullptr || s.frame == nullptr) {
        Fail("Open", "Out of memory.");
    }
    AVCodecContext& codec = *s.codec;
    codec.width = settings.width;
    codec.height = settings.height;
    codec.time_base = AVRational{1, settings.fps};
    codec.framerate = AVRational{settings.fps, 1};
    codec.sample_aspect_ratio = AVRational{1, 1};
    const bool gif = settings.format == EVideoFormat::Gif;
    codec.pix_fmt = gif ? AV_PIX_FMT_PAL8 : AV_PIX_FMT_YUV420P;
    if (!gif) {
        // A key frame at least every ten seconds: a seek lands near where it was asked for,
        // and the board's detailed still picture is not sent again too often.
        codec.gop_size = 10 * settings.fps;
        codec.colorspace = AVCOL_SPC_BT709;
        codec.color_primaries = AVCOL_PRI_BT709;
        codec.color_trc = AVCOL_TRC_BT709;
        codec.color_range = AVCOL_RANGE_MPEG;
    }
    if ((s.container->oformat->flags & AVFMT_GLOBALHEADER) != 0) {
        codec.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    SetEncoderOptions(settings.format, codec);
    status = avcodec_open2(s.codec, encoder, nullptr);
    if (status < 0) {
        throw CExportException(std::string("CVideoEncoder::Open(): The ") +
                               EncoderName(settings.format) +
                               " encoder refuses the settings: " + AvError(status));
    }
    s.stream = avformat_new_stream(s.container, nullptr);
    if (s.stream == nullptr) {
        Fail("Open", "Out of memory.");
    }
    s.stream->time_base = codec.time_base;
    s.stream->avg_frame_rate = codec.framerate;
    avcodec_parameters_from_context(s.stream->codecpar, s.codec);

    if (gif) {
        s.quantizer =
            std::make_unique<CGifQuantizer>(settings.width, settings.height, settings.fps);
        s.rgba = av_frame_alloc();
        if (s.rgba == nullptr) {
            Fail("Open", "Out of memory.");
        }
    } else {
        s.frame->format = codec.pix_fmt;
        s.frame->width = codec.width;
        s.frame->height = codec.height;
        if (av_frame_get_buffer(s.frame, 0) < 0) {
            Fail("Open", "Out of memory.");
        }
        s.scaler = sws_getContext(settings.width, settings.height, AV_PIX_FMT_RGBA, settings.width,
                                  settings.height, AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr,
                                  nullptr, nullptr);
        if (s.scaler == nullptr) {
            Fail("Open", "The colour conversion cannot be set up.");
        }
        // BT.709 as HD video is tagged, from full-range RGB to the studio range.
        const int* coefficients = sws_getCoefficients(SWS_CS_ITU709);
        sws_setColorspaceDetails(s.scaler, coefficients, 1, coefficients, 0, 0, 1 << 16, 1 << 16);
    }

    status = avio_open(&s.container->pb, partialPath.c_str(), AVIO_FLAG_WRITE);
    if (status < 0) {
        Fail("Open", AvError(status));
    }
    s.fileOpen = true;
    AVDictionary* options = nullptr;
    if (settings.format == EVideoFormat::Mp4) {
        av_dict_set(&options, "movflags", "+faststart", 0);
    }
    status = avformat_write_header(s.container, &options);
    av_dict_free(&options);
    if (status < 0) {
        Fail("Open", AvError(status));
    }
}

void CVideoEncoder::AddFrame(const std::uint8_t* rgba, std::ptrdiff_t stride, bool bottomUp) {
    SState& s = *state;
    const std::uint8_t* first = rgba;
    int lineSize = static_cast<int>(stride);
    if (bottomUp) {
        // Read from the last row upwards: the picture comes out top row first.
        first = rgba + stride * (settings.height - 1);
        lineSize = -lineSize;
    }
    const std::int64_t pts = framesAdded;
    if (s.quantizer) {
        av_frame_unref(s.rgba);
        s.rgba->format = AV_PIX_FMT_RGBA;
        s.rgba->width = settings.width;
        s.rgba->height = settings.height;
        if (av_frame_get_buffer(s.rgba, 0) < 0) {
            Fail("AddFrame", "Out of memory.");
        }
        for (int row = 0; row < settings.height; ++row) {
            const std::uint8_t* from = first + static_cast<std::ptrdiff_t>(row) * lineSize;
            std::copy(from, from + settings.width * 4,
                      s.rgba->data[0] + static_cast<std::ptrdiff_t>(row) * s.rgba->linesize[0]);
        }
        s.rgba->pts = pts;
        s.quantizer->Push(s.rgba);
        while (s.quantizer->Pull(s.frame)) {
            Encode(s.frame, "AddFrame");
        }
    } else {
        if (av_frame_make_writable(s.frame) < 0) {
            Fail("AddFrame", "Out of memory.");
        }
        const std::uint8_t* const source[] = {first};
        const int sourceStride[] = {lineSize};
        sws_scale(s.scaler, source, sourceStride, 0, settings.height, s.frame->data,
                  s.frame->linesize);
        s.frame->pts = pts;
        Encode(s.frame, "AddFrame");
    }
    ++framesAdded;
}

void CVideoEncoder::Encode(void* frame, const char* operation) {
    SState& s = *state;
    int status = avcodec_send_frame(s.codec, static_cast<AVFrame*>(frame));
    if (status < 0) {
        Fail(operation, AvError(status));
    }
    for (;;) {
        status = avcodec_receive_packet(s.codec, s.packet);
        if (status == AVERROR(EAGAIN) || status == AVERROR_EOF) {
            break;
        }
        if (status < 0) {
            Fail(operation, AvError(status));
        }
        av_packet_rescale_ts(s.packet, s.codec->time_base, s.stream->time_base);
        s.packet->stream_index = s.stream->index;
        status = av_interleaved_write_frame(s.container, s.packet);
        if (status < 0) {
            Fail(operation, AvError(status));
        }
    }
    // The file's buffer reports a failed write (a full disk, a size limit) only here.
    if (s.container->pb->error < 0) {
        Fail(operation, AvError(s.container->pb->error));
    }
}

void CVideoEncoder::Finish() {
    SState& s = *state;
    if (s.quantizer) {
        s.quantizer->Push(nullptr);
        while (s.quantizer->Pull(s.frame)) {
            Encode(s.frame, "Finish");
        }
    }
    Encode(nullptr, "Finish");
    int status = av_write_trailer(s.container);
    if (status < 0) {
        Fail("Finish", AvError(status));
    }
    if (s.container->pb->error < 0) {
        Fail("Finish", AvError(s.container->pb->error));
    }
    s.fileOpen = false;
    status = avio_closep(&s.container->pb);
    if (status < 0) {
        Fail("Finish", AvError(status));
    }
    if (std::rename(partialPath.c_str(), path.c_str()) != 0) {
        Fail("Finish", AvError(AVERROR(errno)));
    }
    finished = true;
    state.reset();
}

void CVideoEncoder::Abandon() noexcept {
    state.reset();
    std::remove(partialPath.c_str());
}
