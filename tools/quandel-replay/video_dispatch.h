// quandel-replay --video: the export is the separate quandel-video program (packaged apart, with
// FFmpeg and FluidSynth), started in this process's place with the same arguments.
#pragma once

namespace quandel {

// Whether the command line asks for a video.
bool AsksForVideo(int argc, char** argv);

// Replaces this process by quandel-video, taken from the folder of this program, else from PATH.
// Returns only when it cannot be started, with the exit status after a one-line message.
int RunVideoExport(char** argv);

}  // namespace quandel
