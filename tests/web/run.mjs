// The page's tests: the site served on 127.0.0.1 as a plain static host serves it, opened in
// Debian's Chromium (headless, WebGL 2 through SwiftShader) driven by playwright-core. Ends
// with "N passed, N failed"; the screenshots and frames are kept in the work folder it names.
// Usage: node tests/web/run.mjs SITE LINUX_BUILD
import { spawn, spawnSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';
import { writePng } from './png.mjs';

const require = createRequire(import.meta.url);
const { chromium } = require('playwright-core');

const [siteArg, linuxArg] = process.argv.slice(2);
if (!siteArg || !linuxArg) {
  console.error('usage: node tests/web/run.mjs SITE LINUX_BUILD');
  process.exit(2);
}
const site = path.resolve(siteArg);
const linuxBuild = path.resolve(linuxArg);
const repo = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'orvale-web-'));

// Chromium's own connections are refused by a closed network: the flags keep it from trying.
const chromiumFlags = ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--autoplay-policy=no-user-gesture-required', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--disable-quic'];
// Moments of each scene and of the pages, as the Windows build is held to them.
const moments = [7000, 22000, 45000, 75000, 100000, 130000, 170000];

function startServer() {
  return new Promise((resolve, reject) => {
    const server = spawn(process.execPath, [path.join(repo, 'scripts/serve-site'), site, '0'],
      { stdio: ['ignore', 'pipe', 'inherit'] });
    server.stdout.on('data', (text) => {
      const address = /http:\/\/127\.0\.0\.1:\d+\//.exec(String(text));
      if (address) resolve({ server, address: address[0] });
    });
    server.on('exit', (code) => reject(new Error(`the site's server ended (${code})`)));
  });
}

async function launch(extraFlags = []) {
  // A fresh profile for each browser (playwright-core makes it and removes it).
  return chromium.launch({ executablePath: '/usr/bin/chromium', args: [...chromiumFlags, ...extraFlags] });
}

const state = (page) => page.evaluate(() => document.body.dataset.state);
async function waitForState(page, wanted, timeout = 120000) {
  await page.waitForFunction((w) => w.includes(document.body.dataset.state) || document.body.dataset.state === 'failed',
    wanted, { timeout });
  const now = await state(page);
  if (!wanted.includes(now)) {
    throw new Error(`the page says "${await page.textContent('#message')}" (state ${now}; waited for ${wanted})`);
  }
}

function check(condition, what) {
  if (!condition) throw new Error(what);
}

let browser;
let touchBrowser;  // without the flag that lets sound start before a press or a tap
let address;
const tests = [];
const test = (name, body) => tests.push({ name, body });

test('site', async () => {
  // What a static host is given: the page, the program and its data, the manifest and its
  // icon, at most 8 MB; the zip holds the same files.
  const files = fs.readdirSync(site).sort();
  const wanted = ['index.html', 'orvale-invit.data', 'orvale-invit.js', 'orvale-invit.png', 'orvale-invit.wasm',
    'orvale-invit.webmanifest'];
  check(files.join() === wanted.join(), `the site holds ${files.join(', ')}`);
  const bytes = files.reduce((sum, file) => sum + fs.statSync(path.join(site, file)).size, 0);
  check(bytes <= 8 * 1024 * 1024, `the site is ${bytes} bytes, over 8 MB`);
  const zip = spawnSync(path.join(repo, 'scripts/make-dist-web'), [path.dirname(site), work], { encoding: 'utf8' });
  check(zip.status === 0, `make-dist-web failed: ${zip.stderr}`);
  const listed = spawnSync('unzip', ['-Z1', zip.stdout.trim().replace(/^make-dist-web: /, '')], { encoding: 'utf8' });
  const inZip = listed.stdout.trim().split('\n').filter((entry) => !entry.endsWith('/')).map((e) => path.basename(e)).sort();
  check(inZip.join() === wanted.join(), `the web zip holds ${inZip.join(', ')}`);
  // The server gives nothing outside the site, however the path is spelt.
  for (const spelt of ['/../../etc/passwd', '/%2e%2e/%2e%2e/etc/passwd', '/..%2f..%2fetc%2fpasswd']) {
    const status = await new Promise((resolve, reject) => {
      http.get({ host: '127.0.0.1', port: new URL(address).port, path: spelt }, (response) => {
        response.resume();
        resolve(response.statusCode);
      }).on('error', reject);
    });
    check(status === 404, `${spelt} gave ${status}`);
  }
  return `${(bytes / 1024 / 1024).toFixed(2)} MB in ${files.length} files, the same in the zip`;
});

test('dialog', async () => {
  const page = await browser.newPage({ viewport: { width: 1280, height: 720 } });
  await page.goto(address);
  await waitForState(page, ['dialog']);
  await page.screenshot({ path: path.join(work, 'dialog.png') });
  const dialog = await page.evaluate(() => ({
    sizes: Array.from(document.querySelectorAll('input[name="size"]')).map((i) => [i.parentElement.textContent, i.checked]),
    fullscreen: document.getElementById('fullscreen').checked,
    focus: document.activeElement.id,
    buttons: [document.getElementById('go').textContent, document.getElementById('leave').textContent],
  }));
  check(JSON.stringify(dialog.sizes) === JSON.stringify([['1920 x 1080', false], ['1280 x 1024', false],
    ['1280 x 720', false], ['1024 x 768', true], ['1024 x 600', false], ['800 x 600', false]]),
  `the dialog's sizes are ${JSON.stringify(dialog.sizes)}`);
  check(dialog.fullscreen && dialog.focus === 'go' && dialog.buttons.join() === 'Go!,Leave',
    `the dialog is ${JSON.stringify(dialog)}`);
  // Escape is "Leave"; the page offers the dialog again.
  await page.keyboard.press('Escape');
  await waitForState(page, ['left']);
  await page.click('#again');
  await waitForState(page, ['dialog']);
  await page.close();
  return 'six sizes, 1024 x 768 and "Fullscreen" checked, Escape leaves';
});

test('go-and-escape', async () => {
  const page = await browser.newPage({ viewport: { width: 640, height: 360 } });
  await page.goto(address + '?fullscreen=0&size=640x360');
  await waitForState(page, ['dialog']);
  // Return is "Go!".
  await page.keyboard.press('Enter');
  await waitForState(page, ['playing'], 30000);
  const firstFrame = await page.evaluate(() => Module.firstFrameSeconds);
  const before = await page.evaluate(() => ({ audio: Module.SDL2.audioContext.state, time: Module.SDL2.audioContext.currentTime,
    wall: performance.now() / 1000 }));
  const shotA = await page.screenshot();
  await page.waitForTimeout(3000);
  const shotB = await page.screenshot({ path: path.join(work, 'playing.png') });
  const after = await page.evaluate(() => ({ time: Module.SDL2.audioContext.currentTime, wall: performance.now() / 1000 }));
  check(before.audio === 'running', `the audio context is ${before.audio}`);
  const heard = after.time - before.time;
  const wall = after.wall - before.wall;
  check(Math.abs(heard - wall) < 0.25 * wall, `the sound advanced ${heard.toFixed(2)} s in ${wall.toFixed(2)} s`);
  check(!shotA.equals(shotB), 'the canvas did not change while the intro played');
  await page.keyboard.press('Escape');
  await waitForState(page, ['dialog']);
  await page.close();
  return `first frame ${firstFrame.toFixed(2)} s after "Go!", sound ${heard.toFixed(2)} s in ${wall.toFixed(2)} s`;
});

// Frames of the Linux capture at 320 x 180 into a folder of the work folder (made once for each
// set of options).
function linuxFramesOf(name, atMoments, options = []) {
  const folder = path.join(work, name);
  if (fs.existsSync(folder)) return folder;
  fs.mkdirSync(folder);
  const capture = spawnSync(path.join(linuxBuild, 'orvale-capture'),
    ['--at', atMoments.join(','), '--size', '320x180', '--out', folder, ...options], { encoding: 'utf8' });
  check(capture.status === 0, `orvale-capture failed: ${capture.stderr}`);
  return folder;
}

// The frames of some moments, read back from the page at 320 x 180 (with the address's further
// parameters), against the Linux capture's (with the matching options).
async function compareMoments(withBrowser, label, bounds, { atMoments = moments, query = '', options = [] } = {}) {
  const linuxFrames = linuxFramesOf(`linux${options.join('')}`, atMoments, options);
  const web = path.join(work, label);
  fs.mkdirSync(web);
  const page = await withBrowser.newPage({ viewport: { width: 320, height: 180 } });
  for (const ms of atMoments) {
    await page.goto(address + `?size=320x180&at=${ms}${query}`);
    await waitForState(page, ['shown']);
    const frame = await page.evaluate(() => window.orvaleFramePixels());
    // One to one: the canvas's drawing buffer and its box are the frame's size.
    const canvas = await page.evaluate(() => {
      const c = document.getElementById('canvas');
      const box = c.getBoundingClientRect();
      return [c.width, c.height, box.width, box.height];
    });
    check(canvas.join() === '320,180,320,180', `the canvas is ${canvas} (drawing buffer and box)`);
    const name = `frame-${String(ms).padStart(6, '0')}.png`;
    writePng(path.join(web, name), frame.width, frame.height, Buffer.from(frame.rgba, 'base64'));
  }
  await page.close();
  const compare = spawnSync(path.join(linuxBuild, 'tools/frame-compare/orvale-frame-compare'),
    [linuxFrames, web, '--min-psnr', '30', '--max-block', String(bounds.maxBlock)], { encoding: 'utf8' });
  fs.writeFileSync(path.join(work, `${label}.txt`), compare.stdout + compare.stderr);
  check(compare.status === 0, `frames outside the bounds:\n${compare.stdout}${compare.stderr}`);
  return compare.stdout.trim().split('\n').slice(-2).join('; ');
}

// Where Chromium draws through the same rasteriser as the capture (Mesa's llvmpipe, by ANGLE's
// OpenGL back end on the virtual display), the page draws what the Linux build draws.
test('moments-llvmpipe', async () => {
  if (!process.env.DISPLAY) throw new Error('no DISPLAY: tests/web/run.sh starts a virtual display');
  const onMesa = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: false,
    args: [...chromiumFlags.filter((flag) => !/headless|angle|swiftshader/.test(flag)), '--use-angle=gl',
      '--ignore-gpu-blocklist'] });
  try {
    const probe = await onMesa.newPage();
    const renderer = await probe.evaluate(() => {
      const gl = document.createElement('canvas').getContext('webgl2');
      const info = gl && gl.getExtension('WEBGL_debug_renderer_info');
      return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : 'none';
    });
    await probe.close();
    check(/llvmpipe/.test(renderer), `Chromium draws with ${renderer}, not Mesa's llvmpipe`);
    return await compareMoments(onMesa, 'llvmpipe', { maxBlock: 10 });
  } finally {
    await onMesa.close();
  }
});

// SwiftShader, Chromium's own software GPU, filters and rasterises a little apart from llvmpipe
// in the last levels, which the outline filter and the floor's noise bring out in blocks of a
// 320 x 180 frame: measured up to 14.2 levels (Mesa's own softpipe is 10.6 from llvmpipe at
// 100 s). The PSNR bound stays.
test('moments-swiftshader', () => compareMoments(browser, 'swiftshader', { maxBlock: 16 }));

// "Fewer flashes": the dialog's box, off unless the address, the viewer's last choice or the
// browser's wish for reduced motion turns it on, reaches the program; the address's
// fewer-flashes=1 draws the calm beat as the Linux capture's --fewer-flashes does.
test('fewer-flashes', async () => {
  const boxOf = async (context, query = '') => {
    const page = await context.newPage();
    await page.setViewportSize({ width: 800, height: 600 });
    await page.goto(address + query);
    await waitForState(page, ['dialog']);
    return page;
  };
  const checked = (page) => page.evaluate(() => document.getElementById('fewer-flashes').checked);
  const plain = await browser.newContext();
  let page = await boxOf(plain);
  check(!(await checked(page)), 'the box is ticked on a first visit');
  const warning = await page.textContent('#flash-warning');
  check(warning === 'Warning: flashing lights. "Fewer flashes" softens them.', `the warning says "${warning}"`);
  // Ticked, it is remembered; "Go!" hands it to the program.
  await page.click('#fewer-flashes');
  await page.reload();
  await waitForState(page, ['dialog']);
  check(await checked(page), 'the ticked box is not remembered');
  await page.evaluate(() => {
    const go = Module._orvale_go;
    Module._orvale_go = (...args) => { window.goArguments = args; return go(...args); };
  });
  await page.click('#go');
  await waitForState(page, ['loading', 'playing']);
  const given = await page.evaluate(() => window.goArguments);
  check(JSON.stringify(given) === '[1024,768,1]', `"Go!" gave the program ${JSON.stringify(given)}`);
  await page.keyboard.press('Escape');
  await page.close();
  // The address wins over what was remembered.
  page = await boxOf(plain, '?fewer-flashes=0');
  check(!(await checked(page)), 'fewer-flashes=0 leaves the box ticked');
  await page.close();
  await plain.close();
  const calm = await browser.newContext({ reducedMotion: 'reduce' });
  page = await boxOf(calm);
  check(await checked(page), 'a browser asking for reduced motion gets the box clear');
  await calm.close();
  page = await boxOf(browser, '?fewer-flashes=1');
  check(await checked(page), 'fewer-flashes=1 leaves the box clear');
  await page.screenshot({ path: path.join(work, 'dialog-fewer-flashes.png') });
  await page.close();
  const calmMoments = [45000, 75000];
  const frames = await compareMoments(browser, 'fewer-flashes-swiftshader', { maxBlock: 16 },
    { atMoments: calmMoments, query: '&fewer-flashes=1', options: ['--fewer-flashes'] });
  // Which the default's frames would not have passed.
  const apart = spawnSync(path.join(linuxBuild, 'tools/frame-compare/orvale-frame-compare'),
    [linuxFramesOf('linux-default-calm-moments', calmMoments), linuxFramesOf('linux--fewer-flashes', calmMoments),
      '--min-psnr', '30', '--max-block', '16'], { encoding: 'utf8' });
  check(apart.status !== 0, 'the calm frames are within the bounds of the default ones: the check tells nothing');
  return `off by default, remembered, on for reduced motion and from the address, given to the program; ${frames}`;
});

test('late-start', async () => {
  const page = await browser.newPage({ viewport: { width: 640, height: 360 } });
  await page.goto(address + '?size=320x180&start=60000&mute=1&fullscreen=0');
  await waitForState(page, ['dialog']);
  await page.click('#go');
  await waitForState(page, ['playing'], 60000);
  await page.close();
  return 'a start at 60 s caught up and played';
});

// A link to a moment starts there after "Go!"; Space pauses; a seek while paused holds the
// capture's frame of the moment it reaches and the address follows it; the control bar shows
// when the pointer moves and hides by itself; Escape while paused ends the intro and clears the
// address's moment.
test('pause-and-seek', async () => {
  const page = await browser.newPage({ viewport: { width: 640, height: 360 } });
  await page.goto(address + '?size=320x180&mute=1&fullscreen=0#t=75.2');
  await waitForState(page, ['dialog']);
  await page.click('#go');
  await waitForState(page, ['playing'], 60000);
  await page.waitForFunction(() => document.body.dataset.time !== undefined);
  const started = Number(await page.evaluate(() => document.body.dataset.time));
  check(started >= 75200 && started < 80000, `the link to 75.2 s started at ${started} ms`);
  await page.keyboard.press('Space');
  await waitForState(page, ['paused']);
  const pausedAt = Number(await page.evaluate(() => document.body.dataset.time));
  await page.waitForTimeout(1000);
  check(Number(await page.evaluate(() => document.body.dataset.time)) === pausedAt, 'the moment moves while paused');
  await page.keyboard.press('ArrowRight');
  const target = pausedAt + 5000;
  await page.waitForFunction((t) => document.body.dataset.state === 'paused' && document.body.dataset.time === String(t) &&
    location.hash === '#t=' + Math.round(t / 50) * 50 / 1000, target, { timeout: 30000 });
  const frame = await page.evaluate(() => window.orvaleFramePixels());
  check(frame && frame.width === 320 && frame.height === 180, 'no frame held while paused');
  const web = path.join(work, 'seek');
  fs.mkdirSync(web);
  writePng(path.join(web, `frame-${String(target).padStart(6, '0')}.png`), 320, 180, Buffer.from(frame.rgba, 'base64'));
  const compare = spawnSync(path.join(linuxBuild, 'tools/frame-compare/orvale-frame-compare'),
    [linuxFramesOf('linux-seek', [target]), web, '--min-psnr', '30', '--max-block', '16'], { encoding: 'utf8' });
  check(compare.status === 0, `the held frame is not the capture's:\n${compare.stdout}${compare.stderr}`);

  await page.mouse.move(300, 200);
  await page.mouse.move(320, 300);
  check(await page.isVisible('#controls'), 'the control bar does not show when the pointer moves');
  await page.screenshot({ path: path.join(work, 'control-bar.png') });
  await page.waitForFunction(() => document.getElementById('controls').hidden, null, { timeout: 6000 });
  await page.keyboard.press('Escape');
  await waitForState(page, ['dialog']);
  check(await page.evaluate(() => location.hash) === '', 'the address keeps the moment after the end');
  await page.close();
  return `#t=75.2 started at ${started} ms; paused at ${pausedAt}, on to ${target}: ` +
    compare.stdout.trim().split('\n').slice(-1)[0];
});

// Phones and a tablet, emulated (touch, the pixel ratio, a mobile viewport), in a browser that
// lets the sound start only from a press or a tap: the dialog fits each way the device is held,
// a tap on "Go!" plays with the sound running, the canvas covers the page with no more pixels
// than the picture's (plus a quarter), turning the device re-lays it out, a tap shows the
// control bar and its "Leave" brings the dialog back. The small phone has no Fullscreen API,
// as iPhone's browser offers pages none.
const touchDevices = [
  { name: 'phone-390x844', width: 390, height: 844, scale: 3 },
  { name: 'phone-320x568-no-fullscreen', width: 320, height: 568, scale: 2, noFullscreen: true },
  { name: 'tablet-820x1180', width: 820, height: 1180, scale: 2 },
];
const touchPicture = [1280, 720];  // preselected on touch screens

// Whether the dialog lies wholly in the viewport, scrolls neither way, and gives every
// control a finger's height; what it says about full screen and the size chosen.
async function dialogFit(page) {
  return page.evaluate(() => {
    const layer = document.getElementById('setup-layer');
    const inside = (element) => {
      const box = element.getBoundingClientRect();
      return box.left >= 0 && box.top >= 0 && box.right <= innerWidth + 0.5 && box.bottom <= innerHeight + 0.5;
    };
    const controls = ['banner', 'go', 'leave', 'flash-warning'].map((id) => document.getElementById(id))
      .concat(Array.from(document.querySelectorAll('#setup label')));
    const targets = ['go', 'leave'].map((id) => document.getElementById(id))
      .concat(Array.from(document.querySelectorAll('#setup label')));
    return {
      outside: controls.filter((c) => !inside(c)).map((c) => c.id || c.textContent),
      scrolls: layer.scrollWidth > layer.clientWidth || layer.scrollHeight > layer.clientHeight ||
        document.scrollingElement.scrollWidth > innerWidth,
      small: targets.filter((t) => t.getBoundingClientRect().height < 44).map((t) => t.id || t.textContent),
      fullscreenSays: document.getElementById('fullscreen-label').textContent,
      chosen: document.querySelector('input[name="size"]:checked').value,
    };
  });
}

// The canvas: its box against the viewport, its pixels.
const canvasLayout = (page) => page.evaluate(() => {
  const canvas = document.getElementById('canvas');
  const box = canvas.getBoundingClientRect();
  return { box: [box.left, box.top, box.width, box.height], viewport: [innerWidth, innerHeight],
    pixels: [canvas.width, canvas.height], fit: getComputedStyle(canvas).objectFit };
});

for (const device of touchDevices) {
  test(`touch-${device.name}`, async () => {
    const context = await touchBrowser.newContext({ viewport: { width: device.width, height: device.height },
      deviceScaleFactor: device.scale, isMobile: true, hasTouch: true });
    try {
      if (device.noFullscreen) {
        await context.addInitScript(() => {
          delete Element.prototype.requestFullscreen;
          delete Element.prototype.webkitRequestFullscreen;
          delete Document.prototype.exitFullscreen;
        });
      }
      const page = await context.newPage();
      const upright = { width: device.width, height: device.height };
      const sideways = { width: device.height, height: device.width };
      await page.goto(address);
      await waitForState(page, ['dialog']);
      for (const [held, viewport] of [['upright', upright], ['sideways', sideways]]) {
        await page.setViewportSize(viewport);
        const fit = await dialogFit(page);
        await page.screenshot({ path: path.join(work, `${device.name}-${held}-dialog.png`) });
        check(!fit.outside.length && !fit.scrolls, `held ${held}, the dialog scrolls or leaves out ${fit.outside}`);
        check(!fit.small.length, `held ${held}, these are under 44 px high: ${fit.small.join(', ')}`);
        const says = device.noFullscreen ? 'Fill the page' : 'Fullscreen';
        check(fit.fullscreenSays === says && fit.chosen === touchPicture.join('x'),
          `the dialog says "${fit.fullscreenSays}" with ${fit.chosen} chosen`);
      }

      // Sideways, as a picture is watched: the tap on "Go!" is what lets the sound start.
      await page.tap('#go');
      await waitForState(page, ['playing'], 60000);
      const sound = await page.evaluate(async () => {
        const before = Module.SDL2.audioContext.currentTime;
        await new Promise((resolve) => setTimeout(resolve, 1000));
        return { state: Module.SDL2.audioContext.state, heard: Module.SDL2.audioContext.currentTime - before };
      });
      check(sound.state === 'running' && sound.heard > 0.5,
        `after the tap the sound is ${sound.state}, ${sound.heard.toFixed(2)} s heard in 1 s`);
      const laidOut = [];
      for (const [held, viewport] of [['sideways', sideways], ['upright', upright]]) {
        // Turned while it plays: the canvas follows at the next layout.
        await page.setViewportSize(viewport);
        const canvas = await canvasLayout(page);
        await page.screenshot({ path: path.join(work, `${device.name}-${held}-playing.png`) });
        check(canvas.box.join() === `0,0,${canvas.viewport.join()}` && canvas.fit === 'contain',
          `held ${held}, the canvas's box is ${canvas.box} (${canvas.fit}) in a viewport of ${canvas.viewport}`);
        check(canvas.pixels[0] * canvas.pixels[1] <= 1.25 * touchPicture[0] * touchPicture[1],
          `held ${held}, the canvas holds ${canvas.pixels.join(' x ')} pixels for ${touchPicture.join(' x ')}`);
        laidOut.push(`${held} ${canvas.pixels.join('x')}`);
      }

      // The phone suspended the sound (the page was in the background): a tap shows the bar and
      // starts the sound again.
      await page.evaluate(() => Module.SDL2.audioContext.suspend());
      await page.touchscreen.tap(upright.width / 2, upright.height / 3);
      await page.waitForFunction(() => Module.SDL2.audioContext.state === 'running', null, { timeout: 5000 });
      check(await page.isVisible('#controls'), 'a tap does not show the control bar');
      const bar = await page.evaluate(() => Array.from(document.querySelectorAll('#controls button, #seek'))
        .map((control) => control.getBoundingClientRect()).filter((box) => box.height < 44 || box.right > innerWidth)
        .length);
      await page.screenshot({ path: path.join(work, `${device.name}-upright-control-bar.png`) });
      check(bar === 0, `${bar} of the control bar's controls are under 44 px high or off the screen`);
      await page.tap('#stop');
      await waitForState(page, ['dialog']);
      return `the dialog fits both ways, the sound runs from the tap, canvas ${laidOut.join(', ')}, ` +
        'the bar\'s "Leave" brings the dialog back';
    } finally {
      await context.close();
    }
  });
}

// The manifest that lets the page be added to a home screen: served with its type, read by
// the browser without complaint, its icon square and there.
test('manifest', async () => {
  const get = (file) => new Promise((resolve, reject) => {
    http.get(new URL(file, address), (response) => {
      const chunks = [];
      response.on('data', (chunk) => chunks.push(chunk));
      response.on('end', () => resolve({ type: response.headers['content-type'], body: Buffer.concat(chunks) }));
    }).on('error', reject);
  });
  const manifest = await get('orvale-invit.webmanifest');
  check(manifest.type === 'application/manifest+json', `the manifest is served as ${manifest.type}`);
  const read = JSON.parse(manifest.body);
  check(read.display === 'fullscreen' && read.orientation === 'landscape' && /Orvale Invit/.test(read.name),
    `the manifest says ${manifest.body}`);
  const page = await browser.newPage();
  await page.goto(address);
  const client = await page.context().newCDPSession(page);
  const parsed = await client.send('Page.getAppManifest');
  const links = await page.evaluate(() => ['manifest', 'icon', 'apple-touch-icon']
    .map((rel) => document.querySelector(`link[rel="${rel}"]`)?.getAttribute('href')));
  await page.close();
  check(!parsed.errors.length && parsed.url.endsWith('/orvale-invit.webmanifest'),
    `the browser read the manifest at ${parsed.url} with ${JSON.stringify(parsed.errors)}`);
  const [icon] = read.icons;
  check(links.join() === `orvale-invit.webmanifest,${icon.src},${icon.src}`, `the page links ${links}`);
  const png = await get(icon.src);
  const side = [png.body.readUInt32BE(16), png.body.readUInt32BE(20)];
  check(png.type === 'image/png' && png.body.toString('latin1', 1, 4) === 'PNG' && side[0] === side[1] &&
    icon.sizes === side.join('x'), `the icon is ${png.type}, ${side.join(' x ')}, said to be ${icon.sizes}`);
  return `served as ${manifest.type}, read without errors, a ${icon.sizes} icon for the page and home screens`;
});

test('failures-said', async () => {
  const page = await browser.newPage({ viewport: { width: 640, height: 360 } });
  const said = async (query) => {
    await page.goto(address + query);
    await waitForState(page, ['failed']);
    return page.textContent('#message');
  };
  const size = await said('?size=12x5');
  check(/size wants/.test(size), `a bad size says "${size}"`);
  const unknown = await said('?colour=red');
  check(/"colour"/.test(unknown), `an unknown parameter says "${unknown}"`);
  await page.route('**/orvale-invit.data', (route) => route.fulfill({ status: 404, body: 'not found' }));
  const data = await said('');
  check(/orvale-invit\.data/.test(data), `a missing data package says "${data}"`);
  await page.screenshot({ path: path.join(work, 'no-data.png') });
  await page.unroute('**/orvale-invit.data');
  await page.route('**/orvale-invit.wasm', (route) => route.fulfill({ status: 404, body: 'not found' }));
  const program = await said('');
  check(/orvale-invit\.wasm/.test(program), `a missing program says "${program}"`);
  await page.close();
  return `bad and unknown parameters, a missing data package ("${data}"), a missing program`;
});

test('no-webgl2', async () => {
  const without = await launch(['--disable-webgl2']);
  try {
    const page = await without.newPage({ viewport: { width: 640, height: 360 } });
    await page.goto(address);
    await waitForState(page, ['failed'], 30000);
    const text = await page.textContent('#message');
    await page.screenshot({ path: path.join(work, 'no-webgl2.png') });
    check(/WebGL 2/.test(text), `without WebGL 2 the page says "${text}"`);
    return 'the page says the browser lacks WebGL 2';
  } finally {
    await without.close();
  }
});

const { server, address: served } = await startServer();
address = served;
let passed = 0;
let failed = 0;
try {
  browser = await launch();
  touchBrowser = await chromium.launch({ executablePath: '/usr/bin/chromium',
    args: chromiumFlags.filter((flag) => !/autoplay-policy/.test(flag)) });
  // WEB_TESTS=name,name runs those alone.
  const only = process.env.WEB_TESTS ? process.env.WEB_TESTS.split(',') : null;
  for (const { name, body } of tests.filter((t) => !only || only.includes(t.name))) {
    const t0 = Date.now();
    try {
      const said = await body();
      passed += 1;
      console.log(`PASS web.${name} (${Math.round((Date.now() - t0) / 1000)} s): ${said}`);
    } catch (error) {
      failed += 1;
      console.log(`FAIL web.${name} (${Math.round((Date.now() - t0) / 1000)} s):\n    ${String(error.message).replace(/\n/g, '\n    ')}`);
    }
  }
} finally {
  if (browser) await browser.close();
  if (touchBrowser) await touchBrowser.close();
  server.kill();
}
console.log(`tests/web: screenshots and frames in ${work}`);
console.log(`web: ${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
