// The page's side of orvale-invit (run before the program, inside its script): the address's
// parameters as the program's options, the setup dialog (and the "Fewer flashes" choice it
// remembers), full screen, Escape, the page going to the background, and every failure as a
// sentence on the page. Module.page is what the
// program calls (src/platform/web/WebPage.cpp); document.body.dataset.state says where the page is:
// starting, dialog, loading, playing, shown (?at=MS), left or failed.
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

  const setState = (state) => { body.dataset.state = state; };
  const state = () => body.dataset.state;
  const running = () => state() === 'loading' || state() === 'playing';

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

  function start() {
    if (state() !== 'dialog') return;
    const size = chosenSize();
    // Within the press: the browser lets full screen and the sound start only from one.
    enteredFullscreen = false;
    if (fullscreen.checked && document.documentElement.requestFullscreen) {
      document.documentElement.requestFullscreen().then(() => { enteredFullscreen = true; }, () => {});
    }
    $('setup-layer').hidden = true;
    setState('loading');
    Module.goPressedAt = performance.now();
    canvas.focus();
    Module._orvale_go(size[0], size[1], fewerFlashes.checked ? 1 : 0);
  }

  function end() {
    Module._orvale_end();
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    showDialog();
  }

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
      presetSize = width + 'x' + height;
      const offered = sizes.find((input) => input.value === presetSize);
      sizes.forEach((input) => { input.checked = input === offered; });
      $('status').textContent = '';
      go.disabled = false;
      showDialog();
    },
    playing() {
      setState('playing');
      if (Module.firstFrameSeconds === undefined && Module.goPressedAt !== undefined)
        Module.firstFrameSeconds = (performance.now() - Module.goPressedAt) / 1000;
    },
    shown(width, height) {
      shownSize = [width, height];
      setState('shown');
    },
    ended() {
      if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
      showDialog();
    },
    failed(text) { fail(text.charAt(0).toUpperCase() + text.slice(1)); },
  };

  // The moment shown (?at=MS), for tests: its pixels at the render size, top row first, RGBA,
  // as base64; null until it is shown.
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
