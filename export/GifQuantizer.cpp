#include "export/GifQuantizer.h"

#include "export/ExportException.h"

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/frame.h>
}

#include <string>

namespace {

// Each picture gets a palette of its own colours (a game's pictures differ little, but the
// title card and the board do); Floyd-Steinberg-like diffusion hides the steps.
constexpr const char* kFilters = "split[a][b];[a]palettegen=stats_mode=single:max_colors=256[p];"
                                 "[b][p]paletteuse=new=1:dither=sierra2_4a";

[[noreturn]] void Refuse(const std::string& what) {
    throw CExportException("CGifQuantizer::CGifQuantizer(): The GIF's palette filters " + what);
}

} // namespace

struct CGifQuantizer::SGraph {
    AVFilterGraph* graph = nullptr;
    AVFilterContext* source = nullptr;
    AVFilterContext* sink = nullptr;

    ~SGraph() { avfilter_graph_free(&graph); }
};

CGifQuantizer::CGifQuantizer(int width, int height, int fps) : graph(std::make_unique<SGraph>()) {
    SGraph& g = *graph;
    g.graph = avfilter_graph_alloc();
    if (g.graph == nullptr) {
        Refuse("cannot be made: out of memory.");
    }
    // One thread: the palettes are small work beside the rendering.
    g.graph->nb_threads = 1;
    const std::string arguments = "video_size=" + std::to_string(width) + "x" +
                                  std::to_string(height) +
                                  ":pix_fmt=" + std::to_string(AV_PIX_FMT_RGBA) + ":time_base=1/" +
                                  std::to_string(fps) + ":pixel_aspect=1/1";
    if (avfilter_graph_create_filter(&g.source, avfilter_get_by_name("buffer"), "in",
                                     arguments.c_str(), nullptr, g.graph) < 0 ||
        avfilter_graph_create_filter(&g.sink, avfilter_get_by_name("buffersink"), "out", nullptr,
                                     nullptr, g.graph) < 0) {
        Refuse("have no buffer source or sink.");
    }
    AVFilterInOut* outputs = avfilter_inout_alloc();
    AVFilterInOut* inputs = avfilter_inout_alloc();
    if (outputs == nullptr || inputs == nullptr) {
        avfilter_inout_free(&outputs);
        avfilter_inout_free(&inputs);
        Refuse("cannot be made: out of memory.");
    }
    outputs->name = av_strdup("in");
    outputs->filter_ctx = g.source;
    inputs->name = av_strdup("out");
    inputs->filter_ctx = g.sink;
    const int parsed = avfilter_graph_parse_ptr(g.graph, kFilters, &inputs, &outputs, nullptr);
    avfilter_inout_free(&outputs);
    avfilter_inout_free(&inputs);
    if (parsed < 0 || avfilter_graph_config(g.graph, nullptr) < 0) {
        Refuse("cannot be set up.");
    }
}

CGifQuantizer::~CGifQuantizer() = default;

void CGifQuantizer::Push(AVFrame* rgba) {
    if (av_buffersrc_add_frame_flags(graph->source, rgba, AV_BUFFERSRC_FLAG_KEEP_REF) < 0) {
        throw CExportException("CGifQuantizer::Push(): The GIF's palette filters failed.");
    }
}

bool CGifQuantizer::Pull(AVFrame* out) {
    av_frame_unref(out);
    const int status = av_buffersink_get_frame(graph->sink, out);
    if (status == AVERROR(EAGAIN) || status == AVERROR_EOF) {
        return false;
    }
    if (status < 0) {
        throw CExportException("CGifQuantizer::Pull(): The GIF's palette filters failed.");
    }
    return true;
}
