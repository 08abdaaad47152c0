#pragma once

#include <cstdint>
#include <vector>

namespace quillmere {

// One frame of a decoded GIF, composed onto the logical screen as a viewer
// shows it: Pixels holds Width x Height colours 0x00RRGGBB, rows top to bottom.
struct AnimationFrame {
    std::vector<std::uint32_t> Pixels;
    int DelayCentiseconds = 0;
    int Disposal = 0;          // the graphic control extension's disposal method
    int TransparentIndex = -1; // -1: none
    int Left = 0, Top = 0;     // the image's place on the logical screen
    int ImageWidth = 0, ImageHeight = 0;
    bool Interlaced = false;
    int LocalColourCount = 0; // 0: the frame uses the global colour table
};

// A GIF held in memory turned into everything the picture control needs.
struct Animation {
    int Width = 0;
    int Height = 0;
    int GlobalColourCount = 0;
    std::vector<std::uint32_t> GlobalColours; // 0x00RRGGBB
    int BackgroundIndex = 0;
    int AspectByte = 0;
    // The "NETSCAPE2.0" loop count: 0 repeats for ever, n plays n + 1 times;
    // -1 when the file has no loop extension and plays once.
    int LoopCount = -1;
    std::vector<AnimationFrame> Frames;
};

// Decodes a complete GIF file with giflib from memory and composes its frames,
// honouring each frame's disposal method and transparent colour. Throws
// ProgramError when the data is not a GIF giflib can read.
Animation DecodeGif(const std::vector<std::uint8_t>& bytes);

} // namespace quillmere
