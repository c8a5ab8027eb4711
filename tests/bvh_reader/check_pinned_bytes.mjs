// The files stay byte for byte what they were: every composition of the
// reader checks, random-2000.kinemora (2,000 random actions with undo, redo,
// noise and clear) and a long one that kinemora-compose writes in many
// blocks, written as BVH, .glb and .gltf, must have the SHA-256 pinned in
// pinned_bytes.json. A change of the code that composes or
// writes must not change a byte that users' files and tools rely on; a
// deliberate change of the files is pinned anew with --pin.
//
// Usage: node check_pinned_bytes.mjs KINEMORA_COMPOSE CORE_POSITIONS [--pin]
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';

import { checkEveryComposition, COMPOSITIONS, run } from './compositions.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const pinnedPath = join(here, 'pinned_bytes.json');
const FORMATS = ['bvh', 'glb', 'gltf'];
const RANDOM = { name: 'random 2,000 actions', actions: [], file: join(here, 'random-2000.kinemora') };
const LONG = {
  name: 'long, written in many blocks',
  actions: Array(60).fill('rhumba clap noise seizure punchR punchL cheer bend').join(' ').split(' '),
};
COMPOSITIONS.push(RANDOM, LONG);

const pinning = process.argv.includes('--pin');
const pinned = pinning ? {} : JSON.parse(readFileSync(pinnedPath, 'utf8'));

function digests({ actions, file }, composeExe, dir) {
  const out = {};
  for (const form of FORMATS) {
    const path = join(dir, `composition.${form}`);
    run(composeExe, [...(file ? ['-c', file] : []), '-o', path, ...actions]);
    out[form] = createHash('sha256').update(readFileSync(path)).digest('hex');
  }
  return out;
}

function checkComposition(composition, composeExe, coreExe, dir) {
  const got = digests(composition, composeExe, dir);
  if (pinning) pinned[composition.name] = got;
  const want = pinned[composition.name] ?? {};
  const problems = FORMATS.filter((f) => got[f] !== want[f])
    .map((f) => `${f}: sha256 ${got[f]}, pinned ${want[f] ?? 'nothing'}`);
  return { frames: '-', worst: null, problems };
}

process.exitCode = await checkEveryComposition('check_pinned_bytes.mjs', checkComposition);
if (pinning) writeFileSync(pinnedPath, `${JSON.stringify(pinned, null, 1)}\n`);
