// Mesh files read into the bitmap library's vector maps, from streams and from files.
#include "bitmap32/Bmp32_VectorMaps.h"
#include "classlib/Exceptions.h"
#include "classlib/Streams.h"

#include "tests/robustness/RobustnessHarness.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <stdexcept>

namespace {

using Bmp32::TVectorMap;

std::string Mesh(int Width, int Height) {
    TVectorMap map;
    map.SetSize(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x)
            map.SetFloatVector(x, y, {x * 0.5f - 1, y * 0.25f + 2});
    TStringStream stream;
    map.SaveToStream(stream);
    return stream.GetDataString();
}

const std::string kPrevious = Mesh(2, 1);

std::string Saved(TVectorMap& Map) {
    TStringStream stream;
    Map.SaveToStream(stream);
    return stream.GetDataString();
}

// Loads into a map that holds another mesh; a refusal must leave that mesh as it was.
template <typename LoadInto> void LoadOverPrevious(const std::string& Bytes, LoadInto Load) {
    TVectorMap map;
    TStringStream previous(kPrevious);
    map.LoadFromStream(previous);
    try {
        Load(map, Bytes);
    } catch (const Exception&) {
        if (Saved(map) != kPrevious) throw std::logic_error("a refused mesh changed the map");
        throw;
    }
}

void LoadStream(const std::string& Bytes) {
    LoadOverPrevious(Bytes, [](TVectorMap& Map, const std::string& B) {
        TStringStream stream(B);
        Map.LoadFromStream(stream);
    });
}

std::string WithFloat(const std::string& Seed, std::size_t Index, float Value) {
    std::string bytes = Seed;
    std::memcpy(bytes.data() + 24 + 4 * Index, &Value, 4);
    return bytes;
}

TEST(MeshRobustness, LoadsOrRefusesEveryDamagedMeshAndKeepsTheMapOnRefusal) {
    const TField width{"width", 16, 4};
    const TField height{"height", 20, 4};
    const TField version{"version", 12, 4};
    TCorpus corpus;
    std::uint32_t random = 60;
    for (const std::string& seed : {Mesh(3, 2), Mesh(1, 1), Mesh(0, 0)}) {
        ASSERT_NO_THROW(LoadStream(seed));
        const std::string name = "mesh of " + std::to_string(seed.size()) + " bytes";
        AddTruncations(corpus, name, seed);
        AddBitFlips(corpus, name, seed, 300, random++);
        AddFieldValues(corpus, name, seed, {width, height, version});
        AddFieldProducts(corpus, name, seed, width, height);
    }
    const std::string seed = Mesh(3, 2);
    const float inf = std::numeric_limits<float>::infinity();
    for (float value : {inf, -inf, std::numeric_limits<float>::quiet_NaN(), 1e30f, -1e30f, 32768.0f,
                        -32769.0f, std::numeric_limits<float>::denorm_min()})
        for (std::size_t at : {std::size_t(0), std::size_t(11)})
            corpus.push_back({"vector " + std::to_string(at) + " = " + std::to_string(value),
                              WithFloat(seed, at, value)});
    corpus.push_back({"identifier in another case", [&] {
                          std::string bytes = seed;
                          std::memcpy(bytes.data() + 4, "YFQlHSEm", 8);
                          return bytes;
                      }()});
    ExpectBoundedLoads<Exception>(corpus, LoadStream);
}

TEST(MeshRobustness, FilesLoadOrRefuseAndAreClosedAfterwards) {
    TScratchFile file(".msh");
    auto loadFile = [&file](const std::string& Bytes) {
        file.Write(Bytes);
        LoadOverPrevious(
            Bytes, [&file](TVectorMap& Map, const std::string&) { Map.LoadFromFile(file.Path()); });
    };
    const std::string seed = Mesh(3, 2);
    TCorpus corpus;
    AddTruncations(corpus, "mesh file", seed);
    AddFieldValues(corpus, "mesh file", seed, {{"width", 16, 4}, {"height", 20, 4}});
    ExpectBoundedLoads<Exception>(corpus, loadFile);
    // Every file was closed: the scratch file can be replaced by the next writer.
    EXPECT_NO_THROW(TFileStream(file.Path(), fmCreate));
    TVectorMap map;
    EXPECT_THROW(map.LoadFromFile(file.Path() + ".absent"), Exception);
}

} // namespace
