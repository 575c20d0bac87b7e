// The page's frame rate in each scene, and its seeks: the site served as the tests serve it,
// opened in Debian's Chromium (headless, WebGL 2 through SwiftShader), started at a moment of
// each scene at 640 x 360, and the animation frames counted over the four seconds after it
// plays; then, at 1280 x 720, paused until the intro has been run ahead, and 20 seeks across
// it by the keys, each timed from the key to its moment's state in place (the program's own
// figure, as the desktop bench times it). A benchmark: it prints two tables and checks nothing.
// Usage: node tests/web/frame-rates.mjs SITE
import { spawn } from 'node:child_process';
import path from 'node:path';
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const { chromium } = require('playwright-core');

const [siteArg] = process.argv.slice(2);
if (!siteArg) {
  console.error('usage: node tests/web/frame-rates.mjs SITE');
  process.exit(2);
}
const repo = path.resolve(path.dirname(new URL(import.meta.url).pathname), '../..');
const flags = ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--autoplay-policy=no-user-gesture-required', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--disable-quic'];
const scenes = [['A opening', 7000], ['B burning circle', 22000], ['C stems', 45000], ['D metaballs', 75000],
  ['E ribbons', 100000], ['F twister', 130000], ['closing', 170000]];

const server = spawn(process.execPath, [path.join(repo, 'scripts/serve-site'), path.resolve(siteArg), '0'],
  { stdio: ['ignore', 'pipe', 'inherit'] });
const address = await new Promise((resolve, reject) => {
  server.stdout.on('data', (text) => {
    const found = /http:\/\/127\.0\.0\.1:\d+\//.exec(String(text));
    if (found) resolve(found[0]);
  });
  server.on('exit', (code) => reject(new Error(`the site's server ended (${code})`)));
});
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: flags });
try {
  console.log('Frames a second at 640 x 360 through SwiftShader');
  for (const [scene, start] of scenes) {
    const page = await browser.newPage({ viewport: { width: 640, height: 360 } });
    await page.goto(`${address}?size=640x360&start=${start}&mute=1&fullscreen=0`);
    await page.waitForFunction(() => document.body.dataset.state === 'dialog');
    await page.click('#go');
    await page.waitForFunction(() => ['playing', 'failed'].includes(document.body.dataset.state), null,
      { timeout: 120000 });
    const rate = await page.evaluate(() => new Promise((resolve) => {
      let frames = 0;
      const begun = performance.now();
      const counted = () => {
        const seconds = (performance.now() - begun) / 1000;
        if (seconds >= 4) resolve(frames / seconds);
        else {
          frames += 1;
          requestAnimationFrame(counted);
        }
      };
      requestAnimationFrame(counted);
    }));
    console.log(`${scene.padEnd(18)} ${rate.toFixed(1).padStart(6)}`);
    await page.close();
  }

  const page = await browser.newPage({ viewport: { width: 640, height: 360 } });
  await page.goto(`${address}?size=1280x720&mute=1&fullscreen=0`);
  await page.waitForFunction(() => document.body.dataset.state === 'dialog');
  await page.click('#go');
  await page.waitForFunction(() => document.body.dataset.state === 'playing', null, { timeout: 120000 });
  const pausedAt = Date.now();
  await page.keyboard.press('Space');
  await page.waitForFunction(() => document.body.dataset.state === 'paused');
  // Paused, the intro runs ahead in slices: until then a seek past it runs there first.
  await page.waitForTimeout(30000);
  const keys = ['PageDown', 'PageDown', 'PageDown', 'PageDown', 'PageDown', 'Home', 'PageDown', 'ArrowRight',
    'PageDown', 'ArrowLeft', 'PageUp', 'PageUp', 'PageDown', 'PageDown', 'PageDown', 'PageDown', 'ArrowLeft',
    'PageUp', 'Home', 'PageDown'];
  const times = [];
  for (const key of keys) {
    const before = await page.evaluate(() => document.body.dataset.time);
    await page.keyboard.press(key);
    await page.waitForFunction((b) => document.body.dataset.state === 'paused' && document.body.dataset.time !== b &&
      !(Module._orvale_paused() & 2), before, { timeout: 60000 });
    times.push(await page.evaluate(() => Module._orvale_last_seek_us() / 1000));
  }
  times.sort((a, b) => a - b);
  console.log(`\nSeeks at 1280 x 720 (ms, key to state; paused ${Math.round((Date.now() - pausedAt) / 1000)} s first)`);
  console.log(`median ${times[times.length / 2].toFixed(1)}  worst ${times[times.length - 1].toFixed(1)}`);
  await page.close();
} finally {
  await browser.close();
  server.kill();
}
