#ifndef THRESHOLD_H
#define THRESHOLD_H

// One alarm's setting as the module reports it.
struct Threshold
{
    signed char index;      // alarm 0..3, that is alarm rows 1..4
    unsigned char value;    // threshold value 0..255
    signed char comparison; // 0 "less", 1 "great"
    signed char level;      // alarm level 0..3
};

#endif
