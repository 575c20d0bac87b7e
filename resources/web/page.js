// The page's side of orvale-invit (run before the program, inside its script): the address's
// parameters as the program's options, the setup dialog (and the "Fewer flashes" choice it
// remembers), full screen (or the picture filling the page where the browser offers none),
// the sound started by the viewer's taps, Escape, the viewer's keys and control bar (pause and
// seek), the address following the moment (#t=SECONDS), the page going to the background, and
// every failure as a sentence on the page. Module.page is what the program calls
// (src/platform/web/WebPage.cpp); document.body.dataset.state says where the page is: starting,
// dialog, loading, playing, paused, shown (?at=MS), left or failed; dataset.time is the moment
// shown (ms) while it plays or is paused.
// Written without destructuring, which emscripten's optimiser of this script drops.
(function () {
  'use strict';
  const $ = (id) => document.getElementById(id);
  const body = document.body;
  const canvas = $('canvas');
  const go = $('go');
  const leave = $('leave');
  const fullscreen = $('fullscreen');
  const fewerFlashes = $('fewer-flashes');
  const sizes = Array.from(document.querySelectorAll('input[name="size"]'));
  // A touch screen: the dialog's larger size is preselected (phones and tablets have the
  // pixels, and a wide picture fills a phone held sideways).
  const touchScreen = !!window.matchMedia && window.matchMedia('(pointer: coarse)').matches;
  // The Fullscreen API (iPhone's browser offers it to videos alone): without it the box makes
  // the picture fill the page, and says so.
  const offersFullscreen = typeof document.documentElement.requestFullscreen === 'function';
  if (!offersFullscreen) $('fullscreen-label').textContent = 'Fill the page';

  const setState = (state) => { body.dataset.state = state; };
  const state = () => body.dataset.state;
  const watching = () => state() === 'playing' || state() === 'paused';
  const running = () => state() === 'loading' || watching();

  function showMessage(text, offerSetup) {
    $('setup-layer').hidden = true;
    $('message').textContent = text;
    $('again').hidden = !offerSetup;
    $('message-layer').hidden = false;
  }

  let failed = false;
  function fail(text) {
    if (failed) return;
    failed = true;
    if (Module.calledRun && running()) Module._orvale_end();
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    setState('failed');
    showMessage(text, false);
  }

  // The address's parameters, as the options of the program's command line.
  const known = ['size', 'fullscreen', 'fewer-flashes', 'mute', 'loop', 'start', 'av-offset', 'at'];
  const no = (value) => /^(0|no|false|off)$/i.test(value);
  const params = new URLSearchParams(location.search);
  const args = [];
  for (const name of params.keys()) {
    const value = params.get(name);
    if (!known.includes(name)) {
      fail('The page\'s address has the parameter "' + name + '", which the intro does not take (it takes ' +
           known.join(', ') + ').');
      break;
    }
    if (name === 'fullscreen') args.push(no(value) ? '--window' : '--fullscreen');
    else if (name === 'mute' || name === 'loop' || name === 'fewer-flashes') { if (!no(value)) args.push('--' + name); }
    else args.push('--' + name, value);
  }
  const atMoment = params.has('at');
  // A link to a moment, #t=SECONDS: after "Go!" the intro starts there (in the 50 ms steps a
  // start takes); ?at= and ?start= win over it, and one that is not a moment of the intro is
  // ignored.
  const lastStart = 205950;
  const linked = /^#t=(\d+(?:\.\d*)?)$/.exec(location.hash);
  const linkedMs = linked ? Math.round(parseFloat(linked[1]) * 20) * 50 : NaN;
  if (linkedMs >= 0 && linkedMs <= lastStart && !atMoment && !params.has('start')) {
    args.push('--start', String(linkedMs));
  }
  const clearLink = () => { history.replaceState(null, '', location.pathname + location.search); };
  if (params.has('fullscreen')) fullscreen.checked = !no(params.get('fullscreen'));

  // "Fewer flashes": as the address says; else as the viewer last chose on this site; else on
  // where the browser asks for reduced motion.
  const flashesKey = 'orvale-invit.fewer-flashes';
  function remembered() {
    try { return localStorage.getItem(flashesKey); } catch (error) { return null; }
  }
  if (params.has('fewer-flashes')) fewerFlashes.checked = !no(params.get('fewer-flashes'));
  else if (remembered() !== null) fewerFlashes.checked = remembered() === '1';
  else fewerFlashes.checked = !!window.matchMedia && window.matchMedia('(prefers-reduced-motion: reduce)').matches;
  fewerFlashes.addEventListener('change', () => {
    try { localStorage.setItem(flashesKey, fewerFlashes.checked ? '1' : '0'); } catch (error) { /* not kept */ }
  });

  // What the browser lacks, said before anything is loaded.
  const probe = document.createElement('canvas').getContext('webgl2');
  if (!probe) {
    fail('This browser does not offer WebGL 2, which the intro draws with. Turn on hardware acceleration ' +
         '(or WebGL) in its settings, or open the page in a browser that has WebGL 2.');
  }
  canvas.addEventListener('webglcontextlost', (event) => {
    event.preventDefault();
    fail('The browser took the intro\'s WebGL 2 context away (its graphics were reset or ran short). ' +
         'Reload the page to start again.');
  });

  function chosenSize() {
    const checked = sizes.find((input) => input.checked);
    const text = checked ? checked.value : presetSize;
    return text.split('x').map(Number);
  }
  let presetSize = '1024x768';
  let enteredFullscreen = false;
  let shownSize = [0, 0];

  function showDialog() {
    if (failed) return;
    $('message-layer').hidden = true;
    $('setup-layer').hidden = false;
    setState('dialog');
    go.focus();
  }

  // The sound's context (SDL's), once "Go!" has made it. Phones suspend it in the background
  // and browsers let it run again only within a press or a tap: every one while the intro runs
  // resumes it.
  function resumeSound() {
    const sound = Module.SDL2 && Module.SDL2.audioContext;
    if (sound && sound.state !== 'running' && sound.state !== 'closed') sound.resume().catch(() => {});
  }
  ['pointerup', 'touchend', 'click', 'keydown'].forEach((type) => window.addEventListener(type, () => {
    if (running()) resumeSound();
  }, true));

  function start() {
    if (state() !== 'dialog') return;
    const size = chosenSize();
    // Within the press: the browser lets full screen and the sound start only from one. Where
    // full screen is missing or refused, the picture fills the page, as it does in full screen.
    enteredFullscreen = false;
    if (fullscreen.checked && offersFullscreen) {
      document.documentElement.requestFullscreen().then(() => { enteredFullscreen = true; }, () => {});
    }
    body.classList.toggle('windowed', !fullscreen.checked);
    body.style.setProperty('--render-width', size[0] + 'px');
    body.style.setProperty('--render-height', size[1] + 'px');
    $('setup-layer').hidden = true;
    shownSize = size;
    setState('loading');
    Module.goPressedAt = performance.now();
    canvas.focus();
    // Safari plays a page's sound through the ring switch only as "playback", as a video's.
    try {
      if (navigator.audioSession) navigator.audioSession.type = 'playback';
    } catch (error) { /* the browser's own choice stays */ }
    Module._orvale_go(size[0], size[1], fewerFlashes.checked ? 1 : 0);
    resumeSound();
  }

  function end() {
    Module._orvale_end();
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    hideBar();
    clearLink();
    showDialog();
  }

  // The viewer's controls, numbered as the program's Control: keys handled here, at the
  // window's level, so that a focused button or slider does not act on them as well.
  const Controls = { playPause: 0, back: 1, on: 2, chapterStart: 3, nextChapter: 4, start: 5, frameOn: 6,
                     frameBack: 7 };
  const keyControls = { ' ': Controls.playPause, ArrowLeft: Controls.back, ArrowRight: Controls.on,
                        PageUp: Controls.chapterStart, PageDown: Controls.nextChapter, Home: Controls.start,
                        '.': Controls.frameOn, ',': Controls.frameBack };
  let momentMoved = false;  // a seek or a pause the address is still to follow
  function control(which) {
    Module._orvale_control(which);
    momentMoved = true;
  }
  window.addEventListener('keydown', (event) => {
    if (!watching() || !(event.key in keyControls) || event.ctrlKey || event.altKey || event.metaKey) return;
    event.preventDefault();
    event.stopPropagation();
    // A held Space does not pause and play on over and over; held seeks repeat.
    if (event.key === ' ' && event.repeat) return;
    control(keyControls[event.key]);
    showBar();
  }, true);

  // The control bar: shown when the pointer moves or the screen is touched, hidden after 3 s
  // without either (not while its handle is held).
  const bar = $('controls');
  const seek = $('seek');
  const playPause = $('play-pause');
  let barTimer = 0;
  let dragging = false;
  function hideBar() {
    clearTimeout(barTimer);
    bar.hidden = true;
    body.classList.remove('bar-shown');
  }
  function showBar() {
    if (!watching()) return;
    bar.hidden = false;
    body.classList.add('bar-shown');
    clearTimeout(barTimer);
    barTimer = setTimeout(() => { if (!dragging) hideBar(); }, 3000);
  }
  ['pointermove', 'pointerdown'].forEach((type) => window.addEventListener(type, showBar));
  function clockText(ms) {
    const seconds = Math.floor(ms / 1000);
    return Math.floor(seconds / 60) + ':' + String(seconds % 60).padStart(2, '0');
  }
  function markChapters() {
    const marks = $('chapter-marks');
    if (marks.childElementCount) return;
    seek.max = String(Module._orvale_last_moment());
    for (let i = 0; Module._orvale_chapter_start(i) >= 0; ++i) {
      const mark = document.createElement('span');
      mark.style.left = (100 * Module._orvale_chapter_start(i) / Number(seek.max)) + '%';
      mark.title = UTF8ToString(Module._orvale_chapter_title(i));
      marks.appendChild(mark);
    }
  }
  seek.addEventListener('input', () => {
    dragging = true;
    $('time').textContent = clockText(Number(seek.value)) + ' / 3:26';
    showBar();
  });
  seek.addEventListener('change', () => {
    dragging = false;
    Module._orvale_seek(Number(seek.value));
    momentMoved = true;
    showBar();
  });
  playPause.addEventListener('click', () => { control(Controls.playPause); showBar(); });
  $('stop').addEventListener('click', end);

  // Each animation frame: the state, the moment, the bar and, after a seek or a pause has
  // landed, the address (#t=SECONDS, in the 50 ms steps a start takes; replaced, not added).
  function follow() {
    requestAnimationFrame(follow);
    if (!watching()) return;
    const flags = Module._orvale_paused();
    const ms = Module._orvale_moment();
    body.dataset.time = String(ms);
    if (flags & 2) return;  // a seek on its way
    setState(flags & 1 ? 'paused' : 'playing');
    playPause.textContent = flags & 1 ? 'Play' : 'Pause';
    if (!dragging) {
      seek.value = String(ms);
      $('time').textContent = clockText(ms) + ' / 3:26';
    }
    if (momentMoved) {
      momentMoved = false;
      history.replaceState(null, '', location.pathname + location.search + '#t=' + Math.round(ms / 50) * 50 / 1000);
    }
  }
  requestAnimationFrame(follow);

  $('setup').addEventListener('submit', (event) => { event.preventDefault(); start(); });
  leave.addEventListener('click', () => {
    setState('left');
    showMessage('You left the intro.', true);
  });
  $('again').addEventListener('click', showDialog);
  // Escape ends the intro, and in the dialog is "Leave"; Return is "Go!" unless "Leave" has the
  // focus (the form's own submit does the rest).
  window.addEventListener('keydown', (event) => {
    if (event.key !== 'Escape') return;
    if (running()) { event.preventDefault(); end(); }
    else if (state() === 'dialog') { event.preventDefault(); leave.click(); }
  }, true);
  // In full screen the browser takes the first Escape to leave it: leaving it ends the intro.
  document.addEventListener('fullscreenchange', () => {
    if (!document.fullscreenElement && enteredFullscreen && running()) end();
    enteredFullscreen = enteredFullscreen && !!document.fullscreenElement;
  });
  // In the background the music holds, and the picture, which follows it, with it.
  document.addEventListener('visibilitychange', () => {
    if (Module.calledRun) Module._orvale_hold(document.hidden ? 1 : 0);
    if (!document.hidden && running()) resumeSound();
  });

  // Loading the program and its data package.
  Module.canvas = canvas;
  Module.arguments = args;
  if (failed) Module.noInitialRun = true;
  Module.setStatus = (text) => {
    const progress = /\((\d+(?:\.\d+)?)\/(\d+)\)/.exec(text || '');
    $('status').textContent = progress
      ? 'Loading the music and pictures: ' + Math.floor(100 * progress[1] / progress[2]) + ' %'
      : text ? 'Loading the intro…' : '';
  };
  Module.setStatus('Loading');
  if (!atMoment && !failed) $('setup-layer').hidden = false;
  // A file of the site that does not come (the loader names it, or its address) is named.
  const roles = { data: 'the intro\'s music and pictures', wasm: 'the intro\'s program' };
  function failLoading(what) {
    what = String(what || '').replace(/^Uncaught (Error: )?/, '');
    const named = /[^\s/"]+\.(data|wasm)\b/.exec(what);
    const kind = named ? named[1] : /\bwasm\b/.test(what) ? 'wasm' : '';
    if (!kind) {
      fail('The page could not go on: ' + (what || 'its program stopped') + '.');
      return;
    }
    const why = what.replace(/\s*:?\s*"?\S*\/[^\s/]+\.(data|wasm)\b"?/, '').replace(/\s+for:?$|:$/, '').trim();
    fail('The page could not load ' + (named ? named[0] : 'orvale-invit.wasm') + ', which holds ' + roles[kind] +
         (why ? ' (' + why + ')' : '') + '. Reload the page; should it happen again, the site is incomplete.');
  }
  Module.onAbort = failLoading;
  window.addEventListener('error', (event) => failLoading(event.message || event.error));
  window.addEventListener('unhandledrejection', (event) => {
    fail('The page could not load what it needs: ' + String(event.reason) + '.');
  });

  // The program's calls.
  Module.page = {
    ready(width, height) {
      presetSize = touchScreen && !params.has('size') ? '1280x720' : width + 'x' + height;
      const offered = sizes.find((input) => input.value === presetSize);
      sizes.forEach((input) => { input.checked = input === offered; });
      $('status').textContent = '';
      go.disabled = false;
      showDialog();
    },
    playing() {
      setState('playing');
      markChapters();
      if (Module.firstFrameSeconds === undefined && Module.goPressedAt !== undefined)
        Module.firstFrameSeconds = (performance.now() - Module.goPressedAt) / 1000;
    },
    shown(width, height) {
      shownSize = [width, height];
      setState('shown');
    },
    ended() {
      if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
      hideBar();
      clearLink();
      showDialog();
    },
    failed(text) { fail(text.charAt(0).toUpperCase() + text.slice(1)); },
  };

  // The moment shown (?at=MS) or the frame held while paused, for tests: its pixels at the
  // render size (without the overlay or the bar), top row first, RGBA, as base64; null until
  // it is shown and while it plays.
  window.orvaleFramePixels = () => {
    const pointer = Module._orvale_frame_pixels();
    if (!pointer) return null;
    const width = shownSize[0];
    const height = shownSize[1];
    const bytes = HEAPU8.subarray(pointer, pointer + width * height * 4);
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
    return { width, height, rgba: btoa(text) };
  };
})();
