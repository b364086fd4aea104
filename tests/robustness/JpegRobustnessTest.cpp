// JPEG files read by TJPEGImage.
#include "classlib/Exceptions.h"
#include "classlib/JpegImage.h"
#include "classlib/Picture.h"
#include "classlib/Streams.h"

#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>

namespace {

// A 16 x 16 picture compressed by libjpeg: baseline or progressive, colour or grey, with
// restart markers when asked.
std::string Jpeg(bool Progressive, bool Grey, int RestartRows) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = 16;
    info.image_height = 16;
    info.input_components = Grey ? 1 : 3;
    info.in_color_space = Grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 75, TRUE);
    if (Progressive) jpeg_simple_progression(&info);
    info.restart_in_rows = RestartRows;
    jpeg_start_compress(&info, TRUE);
    std::string row(16 * info.input_components, '\0');
    for (int y = 0; y < 16; ++y) {
        for (std::size_t x = 0; x < row.size(); ++x)
            row[x] = static_cast<char>(x * 13 + y * 29);
        JSAMPROW rows[] = {reinterpret_cast<JSAMPLE*>(row.data())};
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    std::string file(reinterpret_cast<char*>(buffer), size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return file;
}

// The height and width of the frame header, and the length of every marker segment.
std::vector<TField> JpegFields(const std::string& File) {
    std::vector<TField> fields;
    for (std::size_t at = 2; at + 4 <= File.size();) {
        if (static_cast<unsigned char>(File[at]) != 0xFF) break;
        const int marker = static_cast<unsigned char>(File[at + 1]);
        const std::size_t length = (static_cast<unsigned char>(File[at + 2]) << 8) |
                                   static_cast<unsigned char>(File[at + 3]);
        char name[8];
        std::snprintf(name, sizeof name, "%02X", marker);
        fields.push_back({std::string("length of ") + name, at + 2, 2, true});
        if (marker == 0xC0 || marker == 0xC2) {
            fields.push_back({"height", at + 5, 2, true});
            fields.push_back({"width", at + 7, 2, true});
            fields.push_back({"components", at + 9, 1});
        }
        if (marker == 0xDA) break; // the entropy-coded data follows
        at += 2 + length;
    }
    return fields;
}

const TField& FieldNamed(const std::vector<TField>& Fields, const std::string& Name) {
    for (const TField& field : Fields)
        if (field.Name == Name) return field;
    throw std::logic_error("no field " + Name);
}

TCorpus Seeds() {
    return {{"baseline", Jpeg(false, false, 0)},
            {"progressive", Jpeg(true, false, 0)},
            {"grey", Jpeg(false, true, 0)},
            {"restarts", Jpeg(false, false, 1)}};
}

TEST(JpegRobustness, LoadsOrRefusesEveryDamagedFile) {
    TCorpus corpus;
    std::uint32_t random = 7;
    for (const TCorpusEntry& seed : Seeds()) {
        ASSERT_NO_THROW(LoadFromStream<TJPEGImage>(seed.Bytes)) << seed.Name;
        AddTruncations(corpus, seed.Name, seed.Bytes);
        AddBitFlips(corpus, seed.Name, seed.Bytes, 500, random++);
        std::vector<TField> fields = JpegFields(seed.Bytes);
        std::erase_if(fields,
                      [](const TField& F) { return F.Name == "height" || F.Name == "width"; });
        AddFieldValues(corpus, seed.Name, seed.Bytes, fields);
        // A scan cut short and closed with an end marker.
        std::size_t scan = seed.Bytes.find("\xFF\xDA");
        corpus.push_back({seed.Name + " scan cut", seed.Bytes.substr(0, scan + 20) + "\xFF\xD9"});
    }
    ExpectBoundedLoads<EInvalidGraphic>(corpus, LoadFromStream<TJPEGImage>);
}

// Picture data of a form resource is the picture and nothing more: bytes after the end
// marker are refused, as after a bitmap or an icon.
TEST(JpegRobustness, PictureDataWithBytesAfterThePictureIsRefused) {
    const std::string tag = std::string(1, '\x0A') + "TJPEGImage";
    auto readData = [&tag](const std::string& Bytes) {
        TStringStream stream(tag + Bytes);
        TPicture picture;
        picture.ReadData(&stream);
    };
    TCorpus corpus;
    for (const TCorpusEntry& seed : Seeds()) {
        ASSERT_NO_THROW(readData(seed.Bytes)) << seed.Name;
        corpus.push_back({seed.Name + " and a byte", seed.Bytes + "x"});
        corpus.push_back({seed.Name + " and a zero", seed.Bytes + std::string(1, '\0')});
        corpus.push_back({seed.Name + " twice", seed.Bytes + seed.Bytes});
    }
    ExpectRefusals<EReadError>(corpus, readData);
}

// A file of a few hundred bytes may declare a picture of billions of pixels.
TEST(JpegRobustness, HugeDeclaredSizesCostNoMoreThanSmallOnes) {
    TCorpus corpus;
    for (const TCorpusEntry& seed : Seeds()) {
        std::vector<TField> fields = JpegFields(seed.Bytes);
        const TField& height = FieldNamed(fields, "height");
        const TField& width = FieldNamed(fields, "width");
        AddFieldValues(corpus, seed.Name, seed.Bytes, {height, width});
        for (std::uint64_t side : {0x4000u, 26000u, 65500u, 0xFFFFu})
            corpus.push_back({seed.Name + " " + std::to_string(side) + " square",
                              WithField(WithField(seed.Bytes, height, side), width, side)});
    }
    TBounds bounds;
    bounds.CpuSeconds = 1;
    ExpectBoundedLoads<EInvalidGraphic>(corpus, LoadFromStream<TJPEGImage>, bounds);
}

} // namespace
