// The program's GIF and JPEG readers: the module quorvanta_pictures, loaded with the first
// call. Null when the module is missing: such pictures are then treated as unreadable.
#pragma once

class PictureCodecs;

// The module's factory (for MakeModuleObject).
inline constexpr const char* kPictureModule = "quorvanta_pictures";
inline constexpr const char* kMakePictureCodecs = "QuorvantaMakePictureCodecs";

const PictureCodecs* ProgramPictureCodecs();
