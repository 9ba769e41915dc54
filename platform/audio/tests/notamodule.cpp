// A loadable library that is not the sound module: it lacks the entry point.
extern "C" int wordwell_not_a_sound_module()
{
    return 0;
}
