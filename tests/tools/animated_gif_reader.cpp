#include "animated_gif_reader.h"

#include <gif_lib.h>

#include <cstring>

namespace qz370::test {

namespace {

constexpr char LOOP_APPLICATION[] = "NETSCAPE2.0";
constexpr GifByteType LOOP_FOREVER[] = {1, 0, 0};

bool is_loop_forever(const SavedImage &first)
{
    for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
        const ExtensionBlock &name = first.ExtensionBlocks[i];
        const ExtensionBlock &data = first.ExtensionBlocks[i + 1];
        if (name.Function == APPLICATION_EXT_FUNC_CODE && name.ByteCount == sizeof LOOP_APPLICATION - 1 &&
            std::memcmp(name.Bytes, LOOP_APPLICATION, sizeof LOOP_APPLICATION - 1) == 0 &&
            data.ByteCount == sizeof LOOP_FOREVER && std::memcmp(data.Bytes, LOOP_FOREVER, sizeof LOOP_FOREVER) == 0) {
            return true;
        }
    }
    return false;
}

// Draws one image over the screen, leaving its transparent pixels alone.
bool draw_image(const GifFileType *file, int index, std::vector<uint32_t> &screen, int &delay, std::string &error)
{
    const SavedImage &image = file->SavedImages[index];
    const GifImageDesc &place = image.ImageDesc;
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, 0, NO_TRANSPARENT_COLOR};
    DGifSavedExtensionToGCB(const_cast<GifFileType *>(file), index, &control);
    const ColorMapObject *map = place.ColorMap != nullptr ? place.ColorMap : file->SColorMap;
    if (control.DisposalMode != DISPOSE_DO_NOT || map == nullptr || place.Left + place.Width > file->SWidth ||
        place.Top + place.Height > file->SHeight) {
        error = "image " + std::to_string(index) + " is not one this reader shows";
        return false;
    }
    for (int y = 0; y < place.Height; ++y) {
        for (int x = 0; x < place.Width; ++x) {
            int index_in_map = image.RasterBits[y * place.Width + x];
            if (index_in_map == control.TransparentColor || index_in_map >= map->ColorCount) {
                continue;
            }
            const GifColorType &colour = map->Colors[index_in_map];
            screen[static_cast<size_t>(place.Top + y) * file->SWidth + place.Left + x] =
                (uint32_t{colour.Red} << 16) | (uint32_t{colour.Green} << 8) | colour.Blue;
        }
    }
    delay = control.DelayTime;
    return true;
}

}  // namespace

bool read_animated_gif(const std::string &path, AnimatedGif &gif, std::string &error)
{
    int code = 0;
    GifFileType *file = DGifOpenFileName(path.c_str(), &code);
    if (file == nullptr || DGifSlurp(file) == GIF_ERROR) {
        error = path + ": " + (file == nullptr ? GifErrorString(code) : GifErrorString(file->Error));
        DGifCloseFile(file, &code);
        return false;
    }
    gif = AnimatedGif{file->SWidth, file->SHeight, file->ImageCount > 0 && is_loop_forever(file->SavedImages[0]), {}};
    std::vector<uint32_t> screen(static_cast<size_t>(gif.width) * gif.height);
    bool read = true;
    for (int i = 0; i < file->ImageCount && read; ++i) {
        int delay = 0;
        read = draw_image(file, i, screen, delay, error);
        gif.images.push_back(ShownImage{screen, delay});
    }
    DGifCloseFile(file, &code);
    return read;
}

}  // namespace qz370::test
