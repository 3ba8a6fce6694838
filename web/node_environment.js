// The game for Node.js reads the environment it was started in (NO_COLOR,
// KELMARCH_SCREEN_READER), not the few variables Emscripten makes up.
Module['preRun'] = [() => Object.assign(ENV, process.env)];
