// The glTF files and the picture agree. Each composition is written by
// kinemora-compose as .glb and as .gltf, and each file must
//  - pass the Khronos glTF-Validator with no error and no warning;
//  - load in three.js's GLTFLoader with as many keys as the BVH file of the
//    same presses has frames;
//  - under an AnimationMixer set to each frame's time, put every joint
//    within TOLERANCE of where the core's `rotations` track puts it (as
//    printed by core-positions), and the skinned figure's pieces where
//    their joints are: each leaf ball on its leaf, the bones on a joint
//    centred between it and its children.
//
// Usage: node check_gltf_reader.mjs KINEMORA_COMPOSE CORE_POSITIONS
import { join } from 'node:path';

import validator from 'gltf-validator';
import { AnimationMixer, LoopOnce, Vector3 } from 'three';
import { GLTFLoader } from 'three/examples/jsm/loaders/GLTFLoader.js';

import {
  checkEveryComposition, composeFile, corePositions, expectedFrames,
} from './compositions.mjs';

// Figure units. The file holds single-precision rotations: anything past
// rounding means another pose.
const TOLERANCE = 0.01;
// The skinned mesh is checked at every this many frames, and the last.
const MESH_FRAME_STEP = 10;
const UNLIT_RED_AND_GREEN = 'MeshBasicMaterial ff0000,MeshBasicMaterial 00ff00';

// three.js reports the loading of a data URI with the browser's
// ProgressEvent, which Node lacks.
globalThis.ProgressEvent ??= class ProgressEvent extends Event {};

// Loads with three.js, failing on anything the loader only logs.
async function load(data, form) {
  const input = form === 'glb'
    ? data.buffer.slice(data.byteOffset, data.byteOffset + data.byteLength)
    : data.toString('utf8');
  const complaints = [];
  const saved = { error: console.error, warn: console.warn };
  console.error = console.warn = (...a) => complaints.push(a.join(' '));
  try {
    return await new GLTFLoader().parseAsync(input, '');
  } finally {
    Object.assign(console, saved);
    if (complaints.length) throw new Error(`GLTFLoader complained: ${complaints.join('; ')}`);
  }
}

// The loaded figure: its joints in the core's order, a mixer playing its
// one clip (if any) and the two skinned pieces, bones and leaf balls.
function figure(gltf, jointNames) {
  const byName = new Map();
  const meshes = [];
  gltf.scene.traverse((o) => {
    if (o.isBone) byName.set(o.name, o);
    if (o.isSkinnedMesh) meshes.push(o);
  });
  if ([...byName.keys()].sort().join() !== [...jointNames].sort().join()) {
    throw new Error(`joints loaded: ${[...byName.keys()]}`);
  }
  const clip = gltf.animations[0];
  const mixer = new AnimationMixer(gltf.scene);
  if (clip) {
    const action = mixer.clipAction(clip).setLoop(LoopOnce, 1);
    action.clampWhenFinished = true;  // the last key's time is the clip's end
    action.play();
  }
  const keys = new Set(clip ? clip.tracks.map((t) => t.times.length) : [0]);
  return { joints: jointNames.map((n) => byName.get(n)), keys, mixer, scene: gltf.scene, meshes };
}

function poseAt(fig, frame) {
  fig.mixer.setTime(frame / 30);
  fig.scene.updateMatrixWorld(true);
  return new Map(fig.joints.map((bone) => [bone, new Vector3().setFromMatrixPosition(bone.matrixWorld)]));
}

function worstJointDistance(fig, core, frames) {
  let worst = { distance: 0, frame: -1, joint: -1 };
  for (let frame = 0; frame < frames; frame++) {
    [...poseAt(fig, frame).values()].forEach((p, j) => {
      const d = p.distanceTo(new Vector3().fromArray(core.positions[frame], j * 3));
      if (d > worst.distance) worst = { distance: d, frame, joint: j, name: core.joints[j] };
    });
  }
  return worst;
}

// The skinned vertices' centroid per joint they follow: the middle of the
// shapes on that joint, every shape being a sphere symmetric about its
// centre.
function centroidsByJoint(mesh) {
  const index = mesh.geometry.getAttribute('skinIndex');
  const sums = new Map();
  for (let i = 0; i < index.count; i++) {
    const joint = mesh.skeleton.bones[index.getX(i)];
    const s = sums.get(joint) ?? { sum: new Vector3(), n: 0 };
    s.sum.add(mesh.getVertexPosition(i, new Vector3()));
    s.n++;
    sums.set(joint, s);
  }
  return [...sums].map(([joint, { sum, n }]) => [joint, sum.divideScalar(n)]);
}

// A leaf ball sits on each leaf; the bones a joint holds, one to each
// child not sitting on it, are centred on the mean of their midpoints.
function piecesOutOfPlace(fig, at) {
  const ends = (j) => j.children.filter((c) => c.isBone && at.get(c).distanceTo(at.get(j)) > 1e-6);
  const midpoints = (j) => ends(j).reduce((m, c) => m.add(at.get(c)).add(at.get(j)), new Vector3())
    .divideScalar(2 * ends(j).length);
  const [bones, balls] = fig.meshes;
  const wrong = [];
  const check = (what, mesh, holders, centreOf) => {
    const centres = new Map(centroidsByJoint(mesh));
    for (const joint of new Set([...centres.keys(), ...holders])) {
      const found = centres.get(joint);
      const d = found && holders.includes(joint) ? found.distanceTo(centreOf(joint)) : NaN;
      if (!(d <= TOLERANCE)) wrong.push(`${what} on ${joint.name}: ${found ? d : 'none'}`);
    }
  };
  check('ball', balls, fig.joints.filter((j) => !j.children.some((c) => c.isBone)), (j) => at.get(j));
  check('bones', bones, fig.joints.filter((j) => ends(j).length > 0), midpoints);
  return wrong;
}

function checkPieces(fig, frames) {
  const looks = fig.meshes.map((m) => `${m.material.type} ${m.material.color.getHexString()}`).join();
  if (looks !== UNLIT_RED_AND_GREEN) return [`pieces loaded: ${looks} (want ${UNLIT_RED_AND_GREEN})`];
  const sampled = [];
  for (let f = 0; f < frames; f += MESH_FRAME_STEP) sampled.push(f);
  sampled.push(Math.max(frames - 1, 0));
  for (const frame of sampled) {
    const wrong = piecesOutOfPlace(fig, poseAt(fig, frame));
    if (wrong.length) return [`frame ${frame}: pieces out of place: ${wrong.slice(0, 4).join('; ')}`];
  }
  return [];
}

async function checkForm(form, actions, composeExe, core, bvhFrames, dir) {
  const path = join(dir, `composition.${form}`);
  const { data, framesWritten } = composeFile(composeExe, actions, path);
  const { issues } = await validator.validateBytes(new Uint8Array(data), { uri: path, maxIssues: 0 });
  const problems = issues.messages.filter((m) => m.severity <= 1)
    .map((m) => `validator ${m.severity ? 'warning' : 'error'} ${m.code} at ${m.pointer}: ${m.message}`);
  const fig = figure(await load(data, form), core.joints);
  const counts = [expectedFrames(actions), framesWritten, bvhFrames, ...fig.keys];
  if (new Set(counts).size !== 1) {
    problems.push(`frame counts differ: expected, "frames written", BVH, keys: ${counts}`);
  }
  const frames = Math.min(counts.at(-1), core.framesToSave);
  const worst = frames > 0 ? worstJointDistance(fig, core, frames) : null;
  if (worst?.distance > TOLERANCE) {
    problems.push(`joint ${worst.name} at frame ${worst.frame}: ${worst.distance.toFixed(4)} units from the core's`);
  }
  problems.push(...checkPieces(fig, frames));
  const tally = `${issues.numErrors}/${issues.numWarnings}/${issues.numInfos}/${issues.numHints}`;
  return { frames: counts.at(-1), worst, tally, problems: problems.map((p) => `${form}: ${p}`) };
}

async function checkComposition({ actions }, composeExe, coreExe, dir) {
  const core = corePositions(coreExe, actions);
  const bvh = composeFile(composeExe, actions, join(dir, 'same-presses.bvh')).data.toString('utf8');
  const bvhFrames = Number(/^Frames: (\d+)$/m.exec(bvh)?.[1]);
  const [glb, gltf] = [await checkForm('glb', actions, composeExe, core, bvhFrames, dir),
    await checkForm('gltf', actions, composeExe, core, bvhFrames, dir)];
  return {
    frames: glb.frames,
    worst: [glb.worst, gltf.worst].reduce((a, b) => (b && (!a || b.distance > a.distance) ? b : a)),
    problems: [...glb.problems, ...gltf.problems],
    note: `validator errors/warnings/infos/hints: glb ${glb.tally}, gltf ${gltf.tally}`,
  };
}

process.exitCode = await checkEveryComposition('check_gltf_reader.mjs', checkComposition);
