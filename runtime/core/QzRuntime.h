#pragma once

// Makes the runtime's classes known to the object streams. Hosts call it once at start-up;
// calling it again does nothing more.
void QzRegisterRuntimeClasses();
