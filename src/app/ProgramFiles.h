#pragma once

// Puts the files the program opens by name (readme.txt, whatisnew.txt,
// help.html) into the program folder when they are missing there, and makes
// its working folders (Qr, temp, images).
void DeployProgramFiles();
