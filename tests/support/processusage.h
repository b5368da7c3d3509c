#ifndef PROCESSUSAGE_H
#define PROCESSUSAGE_H

// What this process costs the machine, for tests that bound it and for the
// benchmarks.
double processCpuSeconds();
// The calling thread alone: the toolkit's helper threads aside.
double threadCpuSeconds();
// Resident memory in KiB, -1 when it cannot be read.
long residentKiB();

#endif
