#include "GeneratedResources.h"

#include "GifEncoder.h"
#include "IcoEncoder.h"
#include "IconArt.h"
#include "IllustrationArt.h"

namespace gifgen {

std::vector<GeneratedFile> GenerateResources() {
    constexpr int kDelayCentiseconds = 50;
    const std::vector<Rgb> colours = IllustrationColours();
    return {
        {"together.gif",
         EncodeLoopingGif(DrawIllustration(Storyboard::Together), colours, kDelayCentiseconds)},
        {"separately.gif",
         EncodeLoopingGif(DrawIllustration(Storyboard::Separately), colours, kDelayCentiseconds)},
        {"mixed.gif",
         EncodeLoopingGif(DrawIllustration(Storyboard::Mixed), colours, kDelayCentiseconds)},
        {"quillmere.ico", EncodeIcon(DrawIcon(), IconColours(), kIconTransparent)},
    };
}

} // namespace gifgen
