#include "VorbisWriter.h"

#include <vorbis/vorbisenc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
void writePages(ogg_stream_state& stream, FILE* file, bool flush)
{
    ogg_page page;
    while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
        std::fwrite(page.header, 1, static_cast<size_t>(page.header_len), file);
        std::fwrite(page.body, 1, static_cast<size_t>(page.body_len), file);
    }
}
}  // namespace

bool writeOggVorbis(const std::string& path, const std::vector<float>& interleaved, int channels, int rate,
                    float quality)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channels, rate, quality) != 0) {
        std::fclose(file);
        return false;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 20110);

    ogg_packet header, commentHeader, codeHeader;
    vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &commentHeader);
    ogg_stream_packetin(&stream, &codeHeader);
    writePages(stream, file, true);

    const long frames = static_cast<long>(interleaved.size()) / channels;
    for (long done = 0;;) {
        const long count = std::min<long>(4096, frames - done);
        if (count > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
            for (long i = 0; i < count; ++i)
                for (int c = 0; c < channels; ++c) buffer[c][i] = interleaved[static_cast<size_t>((done + i) * channels + c)];
            vorbis_analysis_wrote(&dsp, static_cast<int>(count));
            done += count;
        } else {
            vorbis_analysis_wrote(&dsp, 0);
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                writePages(stream, file, false);
            }
        }
        if (count <= 0) break;
    }
    writePages(stream, file, true);

    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return std::fclose(file) == 0;
}
