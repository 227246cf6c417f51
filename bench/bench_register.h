// The benchmark groups, registered by bench_main.cpp in the order they run.
#pragma once

#include <string>
#include <vector>

// What fresh memory and a file write of the model's size cost on this machine.
void RegisterReferenceBenchmarks();
// WriteMeshesAsPrc on both shapes at each size, with its peak memory beside the floor.
void RegisterWriterBenchmarks();
// Each step of the writer on its own.
void RegisterStageBenchmarks();
// ReadDocumentPrc over a document holding a written model.
void RegisterReaderBenchmarks();
// korvalume-host importing each OBJ file from start to the opened document, and Assimp
// importing the same file.
void RegisterImportBenchmarks(const std::vector<std::string>& objFiles);
// An OBJ file's name in the import benchmarks' names, by which the summary finds them: the
// last part of its path.
std::string BaseName(const std::string& path);
