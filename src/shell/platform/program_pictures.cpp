#include "program_pictures.h"

#include "program_module.h"
#include "shell/picture_codecs.h"

const PictureCodecs* ProgramPictureCodecs()
{
    static const std::unique_ptr<PictureCodecs> codecs =
        MakeModuleObject<PictureCodecs>(kPictureModule, kMakePictureCodecs);
    return codecs.get();
}
